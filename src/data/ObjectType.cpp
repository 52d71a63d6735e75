// A kind of placed object (coin, energy, club power-up, bonus, checkpoint, jumper, mine) from Objects\<name>.xml.
#include "data/ObjectType.h"

#include "data/XmlReader.h"
#include "gfx/Animation.h"

ObjectType::ObjectType(const std::string& name) {
    {
        CXmlReader reader("Objects\\" + name + ".xml");
        Read(reader);
    }
    CreateAnimation();
}

ObjectType::~ObjectType() = default;

std::string ObjectType::PicturePath(const std::string& name) {
    ObjectType type;
    CXmlReader reader("Objects\\" + name + ".xml");
    type.Read(reader);
    return CAnimation::PicturePath("Objects", type.objectClass, kPictureName);
}

void ObjectType::Read(CXmlReader& reader) {
    uint32_t key = 0;
    while (reader.Next()) {
        if (!reader.AtElement() || reader.attributeCount < 1) continue;
        const std::string& elementName = reader.name;

        if (elementName == "COLORKEY") {
            key = reader.TakeColourKey();
            continue;
        }
        if (!reader.NextAttributeIs("VALUE")) continue;
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
    colorKey = key;
}

void ObjectType::CreateAnimation() {
    // Types of one class share their picture file.
    animation = std::make_unique<CAnimation>("Objects", objectClass, kPictureName, kSize, colorKey);
}
