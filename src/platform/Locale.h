// The user's locale for messages, as the environment names it.
#pragma once

#include <string>

namespace platform {

// The locale the user wants messages in: the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty (the order the C library looks in); empty when none is.
std::string MessagesLocale();

}  // namespace platform
