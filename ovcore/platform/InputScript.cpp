#include "ovcore/platform/InputScript.h"
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Gamepad.h"

#include "ovcore/platform/MessageQueue.h"
#include "ovcore/platform/WindowRecord.h"

#include <SDL2/SDL.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

enum class Action { Wait, Key, Char, Move, Button, Wheel, Close, PadAttach, PadButton, PadAxis, PadDetach };

struct ScriptLine {
    Action action = Action::Close;
    long frame = 0;
    std::string title;  // also the name of an attached pad
    long a = 0;  // key code, character, x, button message, wheel delta, width, pad button or axis
    long b = 0;  // down flag, y, height, axis value
};

struct Script {
    std::vector<ScriptLine> lines;
    size_t next = 0;
    long frame = 0;
    HWND target = nullptr;
    bool loaded = false;
    SDL_Joystick* pad = nullptr;  // the virtual pad while attached
};

Script& TheScript() {
    static Script script;
    return script;
}

// Tokens are separated by blanks; a token may be a double-quoted text.
std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i >= line.size() || line[i] == '#') break;
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) end = line.size();
            tokens.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            size_t start = i;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
            tokens.push_back(line.substr(start, i - start));
        }
    }
    return tokens;
}

bool Number(const std::string& text, long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0' || errno != 0) return false;
    *value = v;
    return true;
}

bool UpDown(const std::string& text, long* down) {
    if (text == "down")
        *down = 1;
    else if (text == "up")
        *down = 0;
    else
        return false;
    return true;
}

bool ButtonMessage(const std::string& button, long down, long* message) {
    if (button == "left")
        *message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    else if (button == "right")
        *message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    else if (button == "middle")
        *message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    else
        return false;
    return true;
}

bool ParsePad(const std::vector<std::string>& t, ScriptLine* line) {
    const std::string& verb = t.size() > 2 ? t[2] : std::string();
    if (verb == "attach" && t.size() == 4) {
        line->action = Action::PadAttach;
        line->title = t[3];
        return true;
    }
    if (verb == "button" && t.size() == 5) {
        line->action = Action::PadButton;
        return Number(t[3], &line->a) && line->a >= 0 && line->a < PAD_BUTTONS && UpDown(t[4], &line->b);
    }
    if (verb == "axis" && t.size() == 5) {
        line->action = Action::PadAxis;
        return Number(t[3], &line->a) && line->a >= 0 && line->a < PAD_AXES && Number(t[4], &line->b) &&
               line->b >= -32768 && line->b <= 32767;
    }
    if (verb == "detach" && t.size() == 3) {
        line->action = Action::PadDetach;
        return true;
    }
    return false;
}

bool ParseEvent(const std::vector<std::string>& t, ScriptLine* line) {
    if (t.size() < 2 || !Number(t[0], &line->frame) || line->frame < 0) return false;
    const std::string& verb = t[1];
    if (verb == "key" && t.size() == 4) {
        line->action = Action::Key;
        return Number(t[2], &line->a) && line->a > 0 && line->a < 256 && UpDown(t[3], &line->b);
    }
    if (verb == "char" && t.size() == 3) {
        line->action = Action::Char;
        return Number(t[2], &line->a) && line->a > 0 && line->a < 256;
    }
    if (verb == "move" && t.size() == 4) {
        line->action = Action::Move;
        return Number(t[2], &line->a) && Number(t[3], &line->b);
    }
    if (verb == "button" && t.size() == 4) {
        line->action = Action::Button;
        long down = 0;
        return UpDown(t[3], &down) && ButtonMessage(t[2], down, &line->a);
    }
    if (verb == "wheel" && t.size() == 3) {
        line->action = Action::Wheel;
        return Number(t[2], &line->a) && line->a >= -32768 && line->a <= 32767;
    }
    if (verb == "pad") return ParsePad(t, line);
    if (verb == "close" && t.size() == 2) {
        line->action = Action::Close;
        return true;
    }
    return false;
}

bool ParseLine(const std::string& text, ScriptLine* line) {
    std::vector<std::string> t = Tokens(text);
    if (t.empty()) return false;
    if (t[0] == "wait") {
        line->action = Action::Wait;
        if (t.size() != 4) return false;
        line->title = t[1];
        return Number(t[2], &line->a) && Number(t[3], &line->b);
    }
    return ParseEvent(t, line);
}

HWND FindShownWindow(const std::string& title, long width, long height) {
    HWND found = nullptr;
    WindowRegistryForEach([&](HWND hwnd) {
        if (found || hwnd->title != title || !hwnd->sdl) return;
        int w = 0, h = 0;
        SDL_GetWindowSize(hwnd->sdl, &w, &h);
        bool shown = (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_SHOWN) != 0;
        if (shown && w == width && h == height) found = hwnd;
    });
    return found;
}

HWND Target(Script& script) {
    if (script.target && WindowRegistryContains(script.target)) return script.target;
    return WindowRegistryKeyboardTarget();
}

LPARAM ClientPoint(HWND hwnd) {
    POINT p{0, 0};
    GetCursorPos(&p);
    RECT r{0, 0, 0, 0};
    GetWindowRect(hwnd, &r);
    return MAKELPARAM(p.x - r.left, p.y - r.top);
}

// The virtual pad: a joystick SDL itself makes, laid out as a game
// controller, whose changes reach the program as a real pad's would.
void DetachPad(Script& script) {
    if (!script.pad) return;
    const SDL_JoystickID instance = SDL_JoystickInstanceID(script.pad);
    SDL_JoystickClose(script.pad);
    script.pad = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance) SDL_JoystickDetachVirtual(index);
    }
}

void AttachPad(Script& script, const std::string& name) {
    DetachPad(script);
    if (!PlatformPadsStart()) return;
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = PAD_AXES;
    pad.nbuttons = PAD_BUTTONS;
    pad.name = name.c_str();
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    script.pad = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (!script.pad)
        PlatformReportFailure("platform: cannot attach the script's pad: %s: %s", name.c_str(), SDL_GetError());
}

void PlayPad(Script& script, const ScriptLine& line) {
    switch (line.action) {
    case Action::PadAttach: AttachPad(script, line.title); break;
    case Action::PadButton:
        if (script.pad) SDL_JoystickSetVirtualButton(script.pad, static_cast<int>(line.a), line.b ? 1 : 0);
        break;
    case Action::PadAxis:
        if (script.pad) SDL_JoystickSetVirtualAxis(script.pad, static_cast<int>(line.a), static_cast<Sint16>(line.b));
        break;
    case Action::PadDetach: DetachPad(script); break;
    default: break;
    }
}

bool IsPadAction(Action action) {
    return action == Action::PadAttach || action == Action::PadButton || action == Action::PadAxis ||
           action == Action::PadDetach;
}

void Play(const ScriptLine& line, HWND hwnd) {
    switch (line.action) {
    case Action::Key:
        MessageQueuePost(hwnd, line.b ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(line.a),
                         line.b ? 1 : static_cast<LPARAM>(0xC0000001u));
        break;
    case Action::Char: MessageQueuePost(hwnd, WM_CHAR, static_cast<WPARAM>(line.a), 1); break;
    case Action::Move: {
        RECT r{0, 0, 0, 0};
        GetWindowRect(hwnd, &r);
        SetCursorPos(r.left + static_cast<int>(line.a), r.top + static_cast<int>(line.b));
        MessageQueuePost(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(line.a, line.b));
        break;
    }
    case Action::Button: MessageQueuePost(hwnd, static_cast<UINT>(line.a), 0, ClientPoint(hwnd)); break;
    case Action::Wheel:
        MessageQueuePost(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(line.a)), ClientPoint(hwnd));
        break;
    case Action::Close: MessageQueuePost(hwnd, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

}  // namespace

void InputScriptLoad(const std::string& text) {
    Script& script = TheScript();
    DetachPad(script);
    script = Script{};
    script.loaded = true;
    static const MessageSource source{InputScriptInject, InputScriptFrameEnded};
    MessageQueueSetSource(&source);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        ScriptLine parsed;
        if (ParseLine(line, &parsed)) script.lines.push_back(parsed);
    }
}

void InputScriptLoadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) PlatformReportFailure("platform: cannot open input script: %s: %s", path, std::strerror(errno));
    std::stringstream text;
    text << file.rdbuf();
    InputScriptLoad(text.str());
}

bool InputScriptFromEnvironment() {
    Script& script = TheScript();
    if (script.loaded) return false;
    script.loaded = true;
    const char* path = std::getenv("OV_INPUT_SCRIPT");
    if (!path || !*path) return false;
    InputScriptLoadFile(path);
    return true;
}

void InputScriptInject() {
    Script& script = TheScript();
    while (script.next < script.lines.size()) {
        const ScriptLine& line = script.lines[script.next];
        if (line.action == Action::Wait) {
            HWND hwnd = FindShownWindow(line.title, line.a, line.b);
            if (!hwnd) return;
            script.target = hwnd;
            script.frame = 0;
        } else {
            if (line.frame > script.frame) return;
            HWND hwnd = Target(script);
            if (IsPadAction(line.action))
                PlayPad(script, line);
            else if (hwnd)
                Play(line, hwnd);
        }
        ++script.next;
    }
}

void InputScriptFrameEnded() { ++TheScript().frame; }

size_t InputScriptPending() {
    const Script& script = TheScript();
    return script.lines.size() - script.next;
}
