// The short texts (gains, losses, "CHECKPOINT") that rise from the hero for two seconds.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>

class CAnimation;
class CSpriteFont;

class CFloatingText {
public:
    // A text rises one pixel per step until this age, and is taken away when it reaches it.
    static constexpr int32_t kLifetimeSteps = 100;
    static constexpr float kTextScale = 0.5f;
    // The icon stands this far left of and above the text.
    static constexpr int32_t kIconOffsetX = 40;
    static constexpr int32_t kIconOffsetY = 4;

    CFloatingText(int32_t textX, int32_t textY, std::string words, CAnimation* textIcon)
        : x(textX), y(textY), text(std::move(words)), icon(textIcon) {}

    // One step of every text of a queue, oldest first: ageing, rising, and the oldest one leaving.
    static void StepQueue(std::deque<CFloatingText>& queue);
    // Draws the text (and its icon) at its place on the screen.
    void Draw(CSpriteFont* font, int32_t cameraX, int32_t cameraY) const;

    int32_t x = 0;
    int32_t y = 0;
    std::string text;
    int32_t age = 0;
    // Not owned: an object type's animation.
    CAnimation* icon = nullptr;
};
