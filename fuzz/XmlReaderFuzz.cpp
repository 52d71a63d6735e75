// Fuzz target: the pull reader of the description files, walked node by node and attribute by attribute.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "data/XmlReader.h"

using fuzz_support::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CXmlReader reader = CXmlReader::FromText(std::string(reinterpret_cast<const char*>(data), size));
    const int length = static_cast<int>(reader.text.size());
    Require(reader.text.size() <= size, "the reader holds more text than it was given");
    int previous = reader.position;
    while (reader.Next()) {
        // Every node uses up at least one character, so the walk always ends.
        Require(reader.position > previous, "a node consumed no text");
        Require(reader.position <= length, "the reader stands past the end of its text");
        previous = reader.position;
        Require(reader.attributeCount >= 0 && static_cast<size_t>(reader.attributeCount) <= reader.rawTag.size(),
                "more attributes than characters in the tag");
        Require(reader.name.size() <= reader.rawTag.size(), "the name is longer than the tag");
        // One call more than there are attributes: the last one comes back again.
        for (int i = 0; i <= reader.attributeCount; ++i) {
            reader.NextAttribute();
            Require(reader.attributeName.size() + reader.attributeValue.size() <= reader.rawTag.size(),
                    "an attribute is longer than its tag");
            CXmlReader::ToInt(reader.attributeValue);
            CXmlReader::ToInt(reader.attributeName);
        }
    }
    // Once the reader says no, it keeps saying no and leaves its node alone.
    const std::string lastTag = reader.rawTag;
    Require(!reader.Next(), "Next found a node after it had run out");
    Require(reader.rawTag == lastTag, "a failed Next changed the node");
    return 0;
}
