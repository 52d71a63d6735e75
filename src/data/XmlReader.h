// Pull reader of the game's XML-like description files: flat nodes, positional attributes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The node the reader stands on. It lives inside the reader (CXmlReader derives from it), so the
// file readers write reader.kind, reader.name and so on.
struct XmlNode {
    std::string kind;            // one of the four CXmlReader::k* kind literals; empty before the first node
    std::string rawTag;          // the characters between the tag's opening and closing marks
    std::string name;            // rawTag up to its first separating blank
    int attributeCount = 0;      // separating blanks in rawTag (a blank at its last position is none)
    int nextAttribute = 0;       // attribute that the next NextAttribute returns
    std::string attributeName;   // name part of the attribute last split off
    std::string attributeValue;  // value part of the attribute last split off
};

class CXmlReader : public XmlNode {
public:
    // Node kinds, Windows-1250 as the data files and the file readers spell them. The literals are
    // split after each \x escape so that the following letters are not taken as more hex digits.
    static constexpr char kOpeningElement[] =
        "ElementOtwieraj\xb9"
        "cy";
    static constexpr char kClosingElement[] =
        "ElementZamykaj\xb9"
        "cy";
    static constexpr char kSelfClosingElement[] =
        "ElementOtwieraj\xb9"
        "coZamykaj\xb9"
        "cy";
    static constexpr char kComment[] = "Komentarz";

    // Description files are small; anything larger than this is treated as unreadable.
    static constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;

    // Reads the whole file at a game path (backslashes, relative to the game folder). A missing
    // file sets failed silently; a file that is there but cannot be read shows messages::kXmlRead.
    // Either way the reader then yields no nodes.
    explicit CXmlReader(const std::string& gamePath);

    // A reader over text already in memory (tests, tools). Like a file, the text ends at its
    // first NUL byte; text longer than kMaxFileBytes yields no nodes.
    static CXmlReader FromText(std::string text);

    // Moves to the next node; false when no further complete tag follows. A false return leaves
    // the current node as it was, and every later call returns false too.
    bool Next();

    // Splits off the next attribute of the current node into attributeName and attributeValue
    // (both empty when the node has no further attribute). The last attribute is returned again
    // by further calls.
    void NextAttribute();
    // NextAttribute, then true when the attribute carries this name.
    bool NextAttributeIs(const char* name);
    // True on an opening or self-closing element.
    bool AtElement() const { return kind == kOpeningElement || kind == kSelfClosingElement; }
    // The R, G and B attributes of a colour key element as a GDI colour (0x00BBGGRR, a byte each).
    // Each of the three counts only where it stands in its own place under its own name; else 0.
    uint32_t TakeColourKey();

    // Positional decimal conversion without validation: each byte counts (code - '0') at its
    // place, in 32-bit wrap-around, so "007" is 7, "" is 0 and "-5" is -25.
    static int32_t ToInt(const std::string& value);

    std::string text;     // the whole file, Windows-1250 bytes
    int position = 0;     // first character not yet consumed
    bool failed = false;  // the file could not be opened

private:
    CXmlReader() = default;
    void SetText(std::string content);
};
