// The eight level descriptions and the TEXT and SAMPLE tables.
#include "data/GameData.h"

#include "core/Language.h"
#include "data/XmlReader.h"

CGameData::CGameData() {
    for (auto& level : levels) level = std::make_unique<LevelDescription>();
    for (int n = 0; n < kLevelCount; ++n) levels[n]->Read(n);
    // In English the English table (same positions) takes the place of the Polish one.
    textCount = ReadTable(LocalisedGamePath("Data\\Text.xml"), "TEXT", texts);
    sampleCount = ReadTable("Data\\Sample.xml", "SAMPLE", samples);
}

CGameData::~CGameData() = default;

int CGameData::ReadTable(const std::string& gamePath, const std::string& attributeName,
                         std::array<std::string, kTableCapacity>& table) {
    table.fill(std::string());
    CXmlReader reader(gamePath);
    int count = 0;
    while (reader.Next()) {
        if (reader.kind != CXmlReader::kOpeningElement && reader.kind != CXmlReader::kSelfClosingElement) continue;
        if (reader.attributeCount < 1) continue;
        // Only the first attribute is looked at; the element names are free.
        reader.NextAttribute();
        if (reader.attributeName != attributeName) continue;
        if (count < kTableCapacity) table[count++] = reader.attributeValue;
    }
    return count;
}

const std::string& CGameData::Text(int index) const {
    static const std::string kEmpty;
    if (index < 0 || index >= kTableCapacity) return kEmpty;
    return texts[index];
}
