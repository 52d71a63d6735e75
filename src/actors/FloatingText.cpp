// The short texts (gains, losses, "CHECKPOINT") that rise from the hero for two seconds.
#include "actors/FloatingText.h"

#include "gfx/Animation.h"
#include "media/SpriteFont.h"

void CFloatingText::StepQueue(std::deque<CFloatingText>& queue) {
    size_t i = 0;
    while (i < queue.size()) {
        CFloatingText& text = queue[i];
        text.age += 1;
        if (text.age < kLifetimeSteps) {
            text.y -= 1;
        } else if (i == 0) {
            // The queue is ordered by age, so only its head can be done; the next text, now the
            // head, still ages in this step.
            queue.pop_front();
            continue;
        }
        ++i;
    }
}

void CFloatingText::Draw(CSpriteFont* font, int32_t cameraX, int32_t cameraY) const {
    const int32_t sx = x - cameraX;
    const int32_t sy = y - cameraY;
    if (font) font->DrawText(text, sx, sy, kTextScale);
    if (icon) icon->Draw(sx - kIconOffsetX, sy - kIconOffsetY, 1.0f);
}
