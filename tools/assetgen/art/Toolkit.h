// The shared generator helpers as the art uses them: their names in namespace art, with the art's own
// random stream and key nudge, so every picture keeps the look it was tuned with.
#pragma once

#include <cstdint>

#include "common/Colour.h"
#include "common/GameFolder.h"
#include "common/Paint.h"
#include "common/Picture.h"
#include "common/Rng.h"

namespace art {

using namespace gen;

// Figure colours leave a key's range two steps of green at a time.
constexpr uint32_t kNudgeStep = 2;
inline uint32_t NudgeFromKey(uint32_t pixel, uint32_t key) {
    return gen::NudgeFromKey(pixel, key, kNudgeStep);
}

// Random numbers on the art's stream.
class Rng : public gen::Rng {
public:
    explicit Rng(uint64_t seed) : gen::Rng(seed, 0x1234567ull) {}
};

}  // namespace art
