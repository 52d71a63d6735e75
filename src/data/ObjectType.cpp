// A kind of placed object (coin, energy, club power-up, bonus, checkpoint, jumper, mine) from Objects\<name>.xml.
#include "data/ObjectType.h"

#include "data/XmlReader.h"
#include "gfx/Animation.h"

namespace {

// Takes the next attribute; true when it carries the expected name.
bool NextAttributeNamed(CXmlReader& reader, const char* attributeName) {
    reader.NextAttribute();
    return reader.attributeName == attributeName;
}

}  // namespace

ObjectType::ObjectType(const std::string& name) {
    {
        CXmlReader reader("Objects\\" + name + ".xml");
        Read(reader);
    }
    CreateAnimation();
}

ObjectType::~ObjectType() = default;

void ObjectType::Read(CXmlReader& reader) {
    uint32_t r = 0;
    uint32_t g = 0;
    uint32_t b = 0;
    while (reader.Next()) {
        const bool element =
            reader.kind == CXmlReader::kOpeningElement || reader.kind == CXmlReader::kSelfClosingElement;
        if (!element || reader.attributeCount < 1) continue;
        const std::string& elementName = reader.name;

        if (elementName == "COLORKEY") {
            r = g = b = 0;
            // Each of the three is taken only when it stands in its own place under its own name.
            if (NextAttributeNamed(reader, "R")) r = static_cast<uint32_t>(CXmlReader::ToInt(reader.attributeValue));
            if (NextAttributeNamed(reader, "G")) g = static_cast<uint32_t>(CXmlReader::ToInt(reader.attributeValue));
            if (NextAttributeNamed(reader, "B")) b = static_cast<uint32_t>(CXmlReader::ToInt(reader.attributeValue));
            continue;
        }
        if (!NextAttributeNamed(reader, "VALUE")) continue;
        const std::string& value = reader.attributeValue;
        // Numbers go through the game's positional reading, so a minus sign counts as -3 in its
        // place: a HEALTH of -20 reads as -280, and the data is written with that in mind.
        if (elementName == "CLASS") {
            objectClass = value;
        } else if (elementName == "LIFE") {
            life = CXmlReader::ToInt(value);
        } else if (elementName == "HEALTH") {
            health = CXmlReader::ToInt(value);
        } else if (elementName == "MACE") {
            mace = CXmlReader::ToInt(value);
        } else if (elementName == "DAMAGE") {
            damage = CXmlReader::ToInt(value);
        } else if (elementName == "RANGE") {
            range = CXmlReader::ToInt(value);
        } else if (elementName == "POINT") {
            point = CXmlReader::ToInt(value);
        } else if (elementName == "USE") {
            use = CXmlReader::ToInt(value);
        } else if (elementName == "QUANTITY") {
            quantity = CXmlReader::ToInt(value);
        } else if (elementName == "MONEY") {
            money = CXmlReader::ToInt(value);
        } else if (elementName == "PICKABLE") {
            pickable = CXmlReader::ToInt(value) != 0;
        } else if (elementName == "CHECKPOINT") {
            checkpoint = CXmlReader::ToInt(value) != 0;
        }
    }
    colorKey = (r & 0xFFu) + 256u * (g & 0xFFu) + 65536u * (b & 0xFFu);
}

void ObjectType::CreateAnimation() {
    // Types of one class share their picture file.
    animation = std::make_unique<CAnimation>("Objects", objectClass, "rot", kSize, colorKey);
}
