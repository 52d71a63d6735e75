// Message-box texts handed to the platform.
#include "core/Messages.h"

#include "core/Language.h"
#include "platform/Cp1250.h"
#include "platform/Platform.h"

const char* MessageInLanguage(const MessageText& message) {
    return CurrentLanguage() == Language::kEnglish ? message.english : message.polish;
}

std::string MessageForPlatform(const MessageText& message) {
    return platform::Utf8ToCp1250(MessageInLanguage(message));
}

void ShowGameMessage(const MessageText& message) {
    platform::ShowMessage(MessageForPlatform(message));
}
