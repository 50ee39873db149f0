// Diagnostics: with OV_INPUT_SCRIPT=<file> in the environment, a program's
// message loop hands the script to the message queue (InputScriptFromEnvironment),
// which then plays a scripted run: at given frames it queues the messages a
// user's keys, buttons, wheel, pointer and window close would have made, so
// a headless machine can play the game exactly the same way each time.
//
// A frame ends each time PeekMessageA finds the queue empty (the message
// loop then runs one frame). Script lines:
//
//   # comment
//   wait "<title>" <width> <height>   hold until a live, shown window with
//                                     that title has that client size; it
//                                     becomes the target and frames count
//                                     from 0 again
//   <frame> key <vk> down|up          virtual-key code, decimal or 0x..
//   <frame> char <code>               a typed character (1..255)
//   <frame> move <x> <y>              pointer to client coordinates of the
//                                     target (moves the real pointer too)
//   <frame> button left|right|middle down|up
//   <frame> wheel <delta>             120 per notch, away from the user > 0
//   <frame> close                     the target is asked to close
//   <frame> pad attach "<name>"       a virtual game controller is plugged
//                                     in (one at a time; see Gamepad.h)
//   <frame> pad button <n> down|up    its button n (0..20, PlatformPadButton)
//   <frame> pad axis <n> <value>      its axis n (0..5) to -32768..32767
//   <frame> pad detach                it is unplugged
//
// Frames are counted from the last wait; lines run in file order, and a
// line waits for its frame. A line that cannot be read is skipped.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstddef>
#include <string>

// Reads a script from text and hands it to the message queue, replacing the
// script there was.
OV_PLATFORM_API void InputScriptLoad(const std::string& text);
// Once per process: reads OV_INPUT_SCRIPT's file and hands it to the message
// queue (an unreadable file is an empty script, its reason reported). False
// without the variable, or when a script was loaded before.
OV_PLATFORM_API bool InputScriptFromEnvironment();
// Reads the whole file; an unreadable file is an empty script.
OV_PLATFORM_API void InputScriptLoadFile(const char* path);
// Queues whatever the script has for the current frame (called before the
// queue is read).
OV_PLATFORM_API void InputScriptInject();
// Called when the queue was found empty: one frame is about to run.
OV_PLATFORM_API void InputScriptFrameEnded();
// Lines not yet played (for tests and for knowing when a run is over).
OV_PLATFORM_API size_t InputScriptPending();
