// The current platform services.
#include "platform/Platform.h"

#include "platform/Files.h"

namespace platform {

Services& Current() {
    static Services services;
    return services;
}

void ShowMessage(const std::string& textCp1250) {
    if (Current().messageBox) Current().messageBox->Show(textCp1250, "Kolvenbrook 3D");
}

bool DecodeGamePicture(const std::string& gamePath, Image& out) {
    if (!Current().images) return false;
    return Current().images->DecodePng(ResolveGamePath(gamePath), out);
}

}  // namespace platform
