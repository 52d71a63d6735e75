// Picture files decoded with SDL_image into 0x00RRGGBB pixels, and surfaces written as PNG files.
#pragma once

#include "platform/Image.h"

namespace platform {

// Safe to call from several threads at once.
class SdlImageDecoder : public IImageDecoder {
public:
    SdlImageDecoder();
    // Reads PNG, JPEG, BMP and GIF files. The size in the file's header is checked before anything is
    // decoded, so a header claiming a huge picture costs nothing. Needs no video subsystem.
    bool DecodePng(const std::string& realPath, Image& out) override;
    // Through SavePng (PngWriter.h), the same writer as the driver's and the tests' pictures.
    bool WritePng(const std::string& realPath, const Surface& picture) override;
    // SDL keeps the text of the last error for each thread, and frees it by itself only for its own threads.
    void ThreadEnds() override;
};

}  // namespace platform
