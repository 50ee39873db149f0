// The desktop's clipboard, text only. Text is Latin-1 like every string of
// the framework; other programs see it as UTF-8.
#pragma once

#include "ovcore/foundation/String.h"

namespace OvCore {

// Puts text on the clipboard. False for null text, no display, or when the
// system refuses; the clipboard then keeps what it held.
bool SetClipboardText(const char* text);
// The clipboard's text: characters beyond Latin-1 are dropped; empty when it
// holds no text or there is no display.
OV_STRING ClipboardText();

}  // namespace OvCore
