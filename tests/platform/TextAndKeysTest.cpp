// Key mapping and UTF-8 decoding, without a display.
#include "ovcore/platform/KeyMap.h"
#include "ovcore/platform/Utf8Latin1.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BYTE Key(SDL_Keycode code, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
    SDL_Keysym key{};
    key.sym = code;
    key.scancode = scancode;
    return VirtualKeyOf(key);
}

std::string Decode(const std::string& text, size_t capacity = 64) {
    unsigned char out[64];
    size_t count = Utf8ToLatin1(text.data(), text.size(), out, capacity);
    return std::string(reinterpret_cast<char*>(out), count);
}

}  // namespace

TEST(KeyMapTest, LettersDigitsAndFunctionKeysCoverTheirWholeRanges) {
    for (int i = 0; i < 26; ++i) EXPECT_EQ(Key(SDLK_a + i), 'A' + i);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Key(SDLK_0 + i), '0' + i);
    const SDL_Keycode function[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                    SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Key(function[i]), VK_F1 + i);
    const SDL_Keycode pad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                               SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Key(pad[i]), VK_NUMPAD0 + i);
}

TEST(KeyMapTest, EditingModifierAndLockKeys) {
    EXPECT_EQ(Key(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(Key(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(Key(SDLK_TAB), VK_TAB);
    EXPECT_EQ(Key(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(Key(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(Key(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(Key(SDLK_PAGEUP), VK_PRIOR);
    EXPECT_EQ(Key(SDLK_DELETE), VK_DELETE);
    EXPECT_EQ(Key(SDLK_LCTRL), VK_CONTROL);
    EXPECT_EQ(Key(SDLK_RALT), VK_MENU);
    EXPECT_EQ(Key(SDLK_CAPSLOCK), VK_CAPITAL);
    EXPECT_EQ(Key(SDLK_NUMLOCKCLEAR), VK_NUMLOCK);
    EXPECT_EQ(Key(SDLK_SCROLLLOCK), VK_SCROLL);
    EXPECT_EQ(Key(SDLK_PAUSE), VK_PAUSE);
    EXPECT_EQ(Key(SDLK_PRINTSCREEN), VK_SNAPSHOT);
    EXPECT_EQ(Key(SDLK_LGUI), VK_LWIN);
    EXPECT_EQ(Key(SDLK_APPLICATION), VK_APPS);
    EXPECT_EQ(Key(SDLK_KP_DIVIDE), VK_DIVIDE);
    EXPECT_EQ(Key(SDLK_KP_PERIOD), VK_DECIMAL);
}

TEST(KeyMapTest, PunctuationFallsBackToTheKeyPositionOnOtherLayouts) {
    EXPECT_EQ(Key(SDLK_SEMICOLON), VK_OEM_1);
    EXPECT_EQ(Key(SDLK_QUOTE), VK_OEM_7);
    EXPECT_EQ(Key(SDLK_BACKQUOTE), VK_OEM_3);
    // A layout's own character (here U+00FC) has no virtual key: the
    // position of the key decides.
    EXPECT_EQ(Key(0xFC, SDL_SCANCODE_LEFTBRACKET), VK_OEM_4);
    EXPECT_EQ(Key(0xFC, SDL_SCANCODE_NONUSBACKSLASH), VK_OEM_102);
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_Q), 'Q');
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_0), '0');
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_F5), VK_F5);
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(Key(SDLK_AUDIOPLAY), 0);
}

TEST(Utf8Latin1Test, KeepsLatin1AndDropsEverythingElse) {
    EXPECT_EQ(Decode("abc"), "abc");
    EXPECT_EQ(Decode("\xC3\xA9\xC3\xBF"), "\xE9\xFF");
    EXPECT_EQ(Decode("\xC4\x80z"), "z") << "U+0100 is beyond Latin-1";
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80!"), "!") << "four-byte form";
    EXPECT_EQ(Decode("\xC0\xA9"
                     "a"),
              "a")
        << "overlong form";
    EXPECT_EQ(Decode("\xE0\x80\xA9"
                     "a"),
              "a")
        << "overlong three-byte form";
    EXPECT_EQ(Decode("\xED\xA0\x80"
                     "a"),
              "a")
        << "surrogate";
    EXPECT_EQ(Decode("\xFF\xFE"
                     "a"),
              "a");
    EXPECT_EQ(Decode("\x80"
                     "a"),
              "a")
        << "stray continuation byte";
}

TEST(Utf8Latin1Test, TruncatedSequencesAndBoundsAreRespected) {
    EXPECT_EQ(Decode("a\xC3"), "a") << "sequence cut by the end";
    EXPECT_EQ(Decode("\xC3"
                     "b"),
              "b")
        << "lead byte followed by ASCII";
    EXPECT_EQ(Decode("\xE2\x82"
                     "c"),
              "c");
    EXPECT_EQ(Decode("abcdef", 3), "abc") << "output capacity";
    std::string withNul("ab\0cd", 5);
    EXPECT_EQ(Decode(withNul), "ab") << "a NUL ends the text";
    unsigned char out[4];
    EXPECT_EQ(Utf8ToLatin1("\xC3\xA9", 1, out, 4), 0u) << "length cuts the sequence";
    EXPECT_EQ(Utf8ToLatin1(nullptr, 5, out, 4), 0u);
}
