// Decoding picture files into RGB pixels (alpha dropped), and writing surfaces as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Surface;

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
    // Writes the surface as a PNG file (screenshots); false when it cannot be written.
    virtual bool WritePng(const std::string& realPath, const Surface& picture) = 0;
    // Called by a thread of the game's own that decoded pictures, just before it ends: a decoder that keeps
    // something for each thread lets it go here.
    virtual void ThreadEnds() {}
};

}  // namespace platform
