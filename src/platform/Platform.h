// The platform services the game reaches: set once by the program that starts the game.
#pragma once

#include <string>

#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/Events.h"
#include "platform/Image.h"
#include "platform/MessageBox.h"
#include "platform/TextRenderer.h"
#include "platform/Video.h"

namespace platform {

struct Services {
    IClock* clock = nullptr;
    IEventSource* events = nullptr;
    IMessageBox* messageBox = nullptr;
    IDisplay* display = nullptr;
    IImageDecoder* images = nullptr;
    ITextRenderer* text = nullptr;
    IAudio* audio = nullptr;
    IVideoPlayer* video = nullptr;
};

// The one set of services in use. Every field must be set before the game starts.
Services& Current();

// Message box with the game's caption (text in Windows-1250).
void ShowMessage(const std::string& textCp1250);

// Keeps memory the game frees (a level's pictures) for its next use instead of handing it back to the
// system: a level made again, or the next one, then fills memory it already has. Fresh memory costs far
// more than the copying into it, above all in virtual machines. All threads share the one heap, so the
// memory stays what the largest level needs. Call once, first thing, before any thread starts.
void KeepFreedMemoryForReuse();

// Decodes a game-path picture (backslashes, any letter case).
bool DecodeGamePicture(const std::string& gamePath, Image& out);

}  // namespace platform
