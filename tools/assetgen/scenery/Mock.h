// A mock game screen of one world, for looking at the scenery.
#pragma once

#include <string>

namespace scenery {

// Draws the scenery of set at camera (camX, camY) over a small made-up level; 0 on success.
int WriteMock(const std::string& gameDir, int set, const std::string& outPng, int camX, int camY);

// A whole background layer, reduced, over the static plan.
int WriteLayerOverview(const std::string& gameDir, int set, int layer, const std::string& outPng);
// Every artefact, branch and platform of set on one 800 x 600 sheet, over bits of ground.
int WriteSheet(const std::string& gameDir, int set, const std::string& outPng);

}  // namespace scenery
