// Where the game looks for each scenery picture (relative to the game folder, '/' separated).
#pragma once

#include <string>

namespace scenery {

inline std::string SetFolder(int set) {
    return "LevelDescriptions/Level" + std::to_string(set) + "/";
}
inline std::string TilePath(int set, const std::string& key, int v) {
    return SetFolder(set) + key + "_" + std::to_string(v) + ".png";
}
inline std::string BranchPath(int set, int i) {
    return SetFolder(set) + "Branch" + std::to_string(i) + ".png";
}
inline std::string ArtefactPath(int set, int i) {
    return SetFolder(set) + "Artefact" + std::to_string(i) + ".png";
}
inline std::string PlanPath(int set) {
    return SetFolder(set) + "Level" + std::to_string(set) + "_3.png";
}
inline std::string PiecePath(int set, int layer, int a, int b) {
    return SetFolder(set) + "Background/Bk_" + std::to_string(layer) + "_" + std::to_string(a) + "_" +
           std::to_string(b) + ".png";
}
inline std::string PlatformPath(int group, const std::string& name) {
    return SetFolder(group) + "MovableEl/" + name + ".png";
}
inline const char* MovableElPath() {
    return "LevelDescriptions/MovableEl.xml";
}

// Counts and sizes the game relies on.
constexpr int kBranchCount = 25;
constexpr int kBranchSize = 80;
constexpr int kArtefactWidth = 64;  // as seen in the game
constexpr int kArtefactFileWidth = 80;
constexpr int kArtefactHeight = 80;
constexpr int kPieceSize = 512;
constexpr int kFarColumns = 3, kFarRows = 2;
constexpr int kNearColumns = 7, kNearRows = 3;
constexpr int kPlatformFrameWidth = 64, kPlatformHeight = 16;
inline int ArtefactCount(int set) {
    return set == 2 ? 13 : set == 4 ? 17 : set == 6 ? 10 : 12;
}

}  // namespace scenery
