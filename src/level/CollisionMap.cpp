// The level's grid of solid 16-pixel cells.
#include "level/CollisionMap.h"

CCollisionMap::CCollisionMap(CGameDlg*, int32_t) {}
