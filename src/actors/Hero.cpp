// The player's caveman: keys, physics, state and animation choice, drawing.
#include "actors/Hero.h"

#include "actors/Animation.h"
#include "data/UnitType.h"

CHero::CHero(CGameDlg* window) : type(std::make_unique<UnitType>("hero")), mainWindow(window) {}

CHero::~CHero() = default;

void CHero::HandleInput() {}
void CHero::Step() {}
void CHero::ApplyFrictionAndGravity() {}
void CHero::Move() {}
void CHero::ChooseState() {}
void CHero::Draw() {}
void CHero::DrawStatusPictures() {}
void CHero::CheckLevelEnd() {}
void CHero::CheckHurtByEnemies() {}
void CHero::CollectPickups() {}
void CHero::AlertEnemies() {}
void CHero::ApplyAttackHits() {}
void CHero::DrawHitFlash() {}
bool CHero::GroundBelow() const { return false; }
