// A kind of placed object (coin, energy, club power-up, bonus, checkpoint, jumper, mine) from Objects\<name>.xml.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CAnimation;
class CXmlReader;

struct ObjectType {
    // Every object is a 32x32 box with 32-pixel frames, whatever its picture.
    static constexpr int32_t kSize = 32;
    static constexpr const char* kPictureName = "rot";

    // Reads "Objects\<name>.xml" and creates the animation "Objects\<CLASS>\rot.png". A missing file
    // gives a type with an empty class and default numbers; its picture is then missing too.
    explicit ObjectType(const std::string& name);
    ~ObjectType();
    ObjectType(const ObjectType&) = delete;
    ObjectType& operator=(const ObjectType&) = delete;
    // The game path of the picture a type made of this name loads.
    static std::string PicturePath(const std::string& name);

    // Takes the elements of a definition from a reader (the file's, or one over text in tests).
    void Read(CXmlReader& reader);
    // Makes the picture of the class read so far.
    void CreateAnimation();

    uint32_t colorKey = 0;  // GDI colour: red in the low byte
    std::unique_ptr<CAnimation> animation;
    std::string objectClass;
    int32_t width = kSize;
    int32_t height = kSize;
    int32_t life = 0;
    int32_t health = 0;
    int32_t damage = 0;
    int32_t range = 0;
    int32_t use = 0;
    int32_t quantity = 0;
    int32_t money = 0;
    int32_t mace = 0;
    int32_t point = 0;
    bool pickable = true;
    bool checkpoint = false;

private:
    ObjectType() = default;
};
