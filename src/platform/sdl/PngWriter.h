// Saving a surface as a PNG file (screenshots of the headless driver and tests).
#pragma once

#include <string>

#include "platform/Surface.h"

namespace platform {

bool SavePng(const std::string& realPath, const Surface& surface);

}  // namespace platform
