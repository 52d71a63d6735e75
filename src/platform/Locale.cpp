// The user's locale for messages, as the environment names it.
#include "platform/Locale.h"

#include <cstdlib>

namespace platform {

std::string MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return std::string();
}

}  // namespace platform
