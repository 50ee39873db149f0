// The desktop's clipboard through SDL: Latin-1 in the program, UTF-8 outside.
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Latin1Utf8.h"
#include "ovcore/platform/Platform.h"
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/Utf8Latin1.h"

#include <SDL2/SDL.h>

#include <cstring>

bool PlatformSetClipboardText(const char* latin1) {
    if (!latin1 || !PlatformEnsureVideo()) return false;
    if (SDL_SetClipboardText(Latin1ToUtf8(latin1).c_str()) != 0) {
        PlatformReportFailure("platform: clipboard not set: text: %s", SDL_GetError());
        return false;
    }
    return true;
}

bool PlatformGetClipboardText(std::string* latin1) {
    if (!latin1) return false;
    latin1->clear();
    if (!PlatformEnsureVideo()) return false;
    char* utf8 = SDL_GetClipboardText();
    if (!utf8) return true;
    // Latin-1 never takes more bytes than the UTF-8 it comes from.
    const size_t length = std::strlen(utf8);
    latin1->resize(length);
    const size_t written = Utf8ToLatin1(utf8, length, reinterpret_cast<unsigned char*>(latin1->data()), length);
    latin1->resize(written);
    SDL_free(utf8);
    return true;
}
