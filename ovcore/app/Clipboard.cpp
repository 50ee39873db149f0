#include "ovcore/app/Clipboard.h"

#include "ovcore/platform/Platform.h"

#include <string>

namespace OvCore {

bool SetClipboardText(const char* text) { return PlatformSetClipboardText(text); }

OV_STRING ClipboardText() {
    std::string text;
    PlatformGetClipboardText(&text);
    return OV_STRING(text.c_str());
}

}  // namespace OvCore
