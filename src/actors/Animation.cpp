// A strip of sprite frames on one surface, drawn at a screen position and scale.
#include "actors/Animation.h"

CAnimation::CAnimation(const std::string& folder, const std::string& subfolder, const std::string& name,
                       int32_t frameWidth, uint32_t colourKey)
    : colourKey(colourKey) {
    Load(folder, subfolder, name, frameWidth, colourKey);
}

CAnimation::~CAnimation() = default;

void CAnimation::Load(const std::string&, const std::string&, const std::string&, int32_t, uint32_t) {}

void CAnimation::Draw(int32_t, int32_t, float) {}

void CAnimation::Restore() {}

void CAnimation::FrameOrigin(int32_t, int32_t& sx, int32_t& sy) const {
    sx = 0;
    sy = 0;
}
