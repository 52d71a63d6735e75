// The current platform services.
#include "platform/Platform.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/Files.h"
#include "platform/PicturePrefetch.h"

namespace platform {

Services& Current() {
    static Services services;
    return services;
}

void ShowMessage(const std::string& textCp1250) {
    if (Current().messageBox) Current().messageBox->Show(textCp1250, "Kolvenbrook 3D");
}

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Pictures of up to 32 MB come from the heap, not from their own mappings that go back to the system
    // when freed, and the heap is never cut back.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, -1);
    // One heap for every thread. The picture decoders' threads would each get a heap of their own, and
    // their pictures, freed by the main thread later, go back to it; which thread gets which heap changes
    // from level to level, so every such heap grows to the largest share it ever held and the game's memory
    // creeps up level after level. The threads allocate a few large blocks each, so sharing costs nothing.
    mallopt(M_ARENA_MAX, 1);
#endif
}

bool DecodeGamePicture(const std::string& gamePath, Image& out) {
    if (!Current().images) return false;
    bool decoded = false;
    if (PicturePrefetch* prefetch = PicturePrefetch::Active(); prefetch && prefetch->Take(gamePath, out, decoded)) {
        return decoded;
    }
    return Current().images->DecodePng(ResolveGamePath(gamePath), out);
}

}  // namespace platform
