// Decoding picture files into RGB pixels (alpha dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row
};

class IImageDecoder {
public:
    virtual ~IImageDecoder() = default;
    // realPath is a file-system path (see Files.h). False when the file is missing, not a
    // picture, or larger than a surface can be.
    virtual bool DecodePng(const std::string& realPath, Image& out) = 0;
};

}  // namespace platform
