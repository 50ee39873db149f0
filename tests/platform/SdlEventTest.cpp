// Real SDL events pushed into SDL's queue come out as Windows messages.
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class SdlEventTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window_.Handle(), nullptr);
        DrainMessages();
    }

    void PushKey(Uint32 type, SDL_Keycode code, SDL_Scancode scancode, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = window_.SdlId();
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.sym = code;
        event.key.keysym.scancode = scancode;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void PushWheel(int notches, Uint32 direction = SDL_MOUSEWHEEL_NORMAL) {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.windowID = window_.SdlId();
        event.wheel.y = notches;
        event.wheel.direction = direction;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void PushButton(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = window_.SdlId();
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    TestWindow window_{"events"};
};

}  // namespace

TEST_F(SdlEventTest, KeysBecomeVirtualKeyMessagesWithRepeatAndReleaseBits) {
    PushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
    PushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, 1);
    PushKey(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    PushKey(SDL_KEYDOWN, SDLK_KP_7, SDL_SCANCODE_KP_7);
    PushKey(SDL_KEYDOWN, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER);
    PushKey(SDL_KEYDOWN, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT);
    std::vector<MSG> keys = DrainMessages(WM_KEYDOWN, WM_KEYUP);
    ASSERT_EQ(keys.size(), 7u);
    EXPECT_EQ(keys[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(keys[0].hwnd, window_.Handle());
    EXPECT_EQ(keys[0].lParam & (1 << 30), 0) << "first press";
    EXPECT_EQ(keys[1].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_NE(keys[1].lParam & (1 << 30), 0) << "auto-repeat";
    EXPECT_EQ(keys[2].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_NE(static_cast<uintptr_t>(keys[2].lParam) & 0x80000000u, 0u);
    EXPECT_EQ(keys[3].wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_EQ(keys[4].wParam, static_cast<WPARAM>(VK_NUMPAD7));
    EXPECT_EQ(keys[5].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_EQ(keys[6].wParam, static_cast<WPARAM>(VK_SHIFT));
}

TEST_F(SdlEventTest, TextInputBecomesLatin1CharactersAndDropsTheRest) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = window_.SdlId();
    std::strcpy(event.text.text,
                "\xC3\xA9\xE2\x82\xAC"
                "x");  // e-acute, euro sign, x
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    std::vector<MSG> characters = DrainMessages(WM_CHAR, WM_CHAR);
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters[0].wParam, 0xE9u);
    EXPECT_EQ(characters[1].wParam, static_cast<WPARAM>('x'));
    EXPECT_EQ(characters[1].hwnd, window_.Handle());
}

TEST_F(SdlEventTest, WheelNotchesBecomeSignedDeltasOf120) {
    PushWheel(1);
    PushWheel(-2);
    PushWheel(1, SDL_MOUSEWHEEL_FLIPPED);
    std::vector<MSG> wheels = DrainMessages(WM_MOUSEWHEEL, WM_MOUSEWHEEL);
    ASSERT_EQ(wheels.size(), 3u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam), 120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].wParam), -240);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[2].wParam), -120);
}

TEST_F(SdlEventTest, ButtonsCarryClientCoordinates) {
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 3, 4);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 0, 0);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 0, 0);
    std::vector<MSG> buttons = DrainMessages(WM_LBUTTONDOWN, WM_MBUTTONDBLCLK);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(GET_X_LPARAM(buttons[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(buttons[0].lParam), 20);
    EXPECT_EQ(buttons[1].message, static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_EQ(GET_Y_LPARAM(buttons[1].lParam), 4);
    EXPECT_EQ(buttons[2].message, static_cast<UINT>(WM_MBUTTONDOWN));
}

TEST_F(SdlEventTest, WindowCloseReachesThatWindowAndQuitAloneIsIgnored) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = window_.SdlId();
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    std::vector<MSG> messages = DrainMessages(WM_CLOSE, WM_QUIT);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(messages[0].hwnd, window_.Handle());
    EXPECT_TRUE(IsWindow(window_.Handle())) << "closing only asks";
}
