// A real window with a procedure that records what it receives, and helpers
// to drain the message queue.
#pragma once

#include "ovcore/platform/Platform.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>

#include <string>
#include <vector>

struct ReceivedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<ReceivedMessage>& Received() {
    static std::vector<ReceivedMessage> received;
    return received;
}

inline LRESULT RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Received().push_back({hwnd, message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class TestWindow {
public:
    explicit TestWindow(const char* name, int x = 100, int y = 100, int width = 160, int height = 120,
                        DWORD exStyle = WS_EX_APPWINDOW)
        : name_(name) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.lpszClassName = name_.c_str();
        RegisterClassA(&windowClass);
        hwnd_ = CreateWindowExA(exStyle, name, name, WS_POPUP, x, y, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() {
        DestroyWindow(hwnd_);
        UnregisterClassA(name_.c_str(), nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    Uint32 SdlId() const { return SDL_GetWindowID(PlatformWindowSdl(hwnd_)); }

private:
    std::string name_;
    HWND hwnd_ = nullptr;
};

// Every message now in the queue (SDL events included), oldest first.
inline std::vector<MSG> DrainMessages() {
    std::vector<MSG> messages;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) messages.push_back(msg);
    return messages;
}

// The drained messages with a number in [first, last].
inline std::vector<MSG> DrainMessages(UINT first, UINT last) {
    std::vector<MSG> kept;
    for (const MSG& msg : DrainMessages()) {
        if (msg.message >= first && msg.message <= last) kept.push_back(msg);
    }
    return kept;
}
