// The parts of the content run, each writing its files into the game folder. Adding a part
// (for example the levels' scenery) means one more function here and one call in ArtMain.cpp.
#pragma once

#include <string>

#include "Content.h"
#include "Toolkit.h"

namespace art {

// Each returns false after printing what went wrong.
bool WriteTextTables(const Content& content, GameFolder& out);      // Data\Text.xml, Text_en.xml, Sample.xml
bool WriteFontSheet(const Content& content, GameFolder& out);       // Graphics\Spritelitery.png
bool WriteHero(const Content& content, GameFolder& out);            // Units\hero.xml, Units\HERO\*
bool WriteEnemies(const Content& content, GameFolder& out);         // Units\<enemy>.xml and strips
bool WriteObjects(const Content& content, GameFolder& out);         // Objects\<name>.xml, rot.png
bool WriteStatusAndFlash(const Content& content, GameFolder& out);  // status icons, hit flash
bool WriteScreens(const Content& content, GameFolder& out);         // menu-like screens, briefing
bool WriteIcons(const Content& content, GameFolder& out);           // Icons\kolvenbrook-<size>.png

// Write Units\<name>.xml and Objects\<name>.xml.
bool WriteUnitFile(const UnitDef& unit, GameFolder& out);
bool WriteObjectFile(const ObjectDef& object, GameFolder& out);

}  // namespace art
