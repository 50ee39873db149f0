#include "AppTestSupport.h"

#include "ovcore/app/Clipboard.h"
#include "ovcore/app/Cursor.h"
#include "ovcore/platform/Platform.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "../e2e/WaitUntil.h"

#include <X11/Xlib.h>
#include <unistd.h>
#include <X11/extensions/Xfixes.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

LRESULT PlainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A shown window at the screen's top-left with the pointer over it, and a
// connection of its own to the X server, the other client of these tests.
class DesktopTest : public OvTest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(scratch.IsValid());
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PlainProcedure;
        windowClass.lpszClassName = "desktop-tests";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "desktop-tests", "desktop-tests", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr, nullptr,
                               nullptr);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        SetCursorPos(60, 50);
        PumpMessages();
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
        DestroyWindow(hwnd);
        UnregisterClassA("desktop-tests", nullptr);
        AppTest::TearDown();
    }

    // Runs xclip with the arguments while our side answers the X server,
    // and returns what it printed; fails the test when it does not end.
    std::string Xclip(std::vector<std::string> arguments) {
        const std::string output = scratch.Path("xclip-output");
        OvTest::ChildProcess xclip;
        arguments.insert(arguments.begin(), {"xclip", "-selection", "clipboard"});
        OvTest::LaunchOptions options;
        options.arguments = arguments;
        options.outputPath = output;
        EXPECT_TRUE(xclip.Launch(options));
        EXPECT_TRUE(OvTest::WaitUntil(
            [&] {
                PumpMessages();
                return !xclip.Running();
            },
            20.0))
            << "xclip did not end";
        return OvTest::TempFolder::Read(output);
    }

    // What the X server shows as the pointer's image now.
    struct Shape {
        int width = 0, height = 0, hotX = 0, hotY = 0;
        std::vector<unsigned long> argb;
        bool operator==(const Shape&) const = default;
    };
    Shape Shown() {
        Shape shape;
        if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
            shape = {image->width, image->height, image->xhot, image->yhot, {}};
            // 32-bit ARGB in longs, which Xlib may fill with the sign extended.
            for (int i = 0; i < image->width * image->height; ++i)
                shape.argb.push_back(image->pixels[i] & 0xFFFFFFFFul);
            XFree(image);
        }
        return shape;
    }
    // Waits until the server shows a pointer that `matches` (requests of
    // another client reach the server in their own time).
    template <typename Matches>
    bool ShownSoon(Matches matches) {
        const bool shown = OvTest::WaitUntil(
            [&] {
                PumpMessages();
                return matches(Shown());
            },
            10.0);
        if (!shown) {
            const Shape now = Shown();
            std::string pixels;
            for (unsigned long p : now.argb) pixels += " " + std::to_string(p);
            ADD_FAILURE() << "the server shows " << now.width << " x " << now.height << ", hot spot " << now.hotX
                          << ", " << now.hotY << ":" << pixels.substr(0, 120);
        }
        return shown;
    }

    HWND hwnd = nullptr;
    Display* display = nullptr;
    OvTest::TempFolder scratch{"ov_desktop"};  // files xclip reads and writes
};

TEST_F(DesktopTest, ClipboardTextReachesOtherProgramsAsUtf8AndReturnsAsLatin1) {
    EXPECT_FALSE(PlatformSetClipboardText(nullptr));
    EXPECT_FALSE(PlatformGetClipboardText(nullptr));
    EXPECT_FALSE(SetClipboardText(nullptr));

    ASSERT_TRUE(SetClipboardText("caf\xE9 \xA9\nnext"));
    EXPECT_EQ(Xclip({"-o"}), "caf\xC3\xA9 \xC2\xA9\nnext");
    EXPECT_STREQ(ClipboardText().Get(), "caf\xE9 \xA9\nnext");

    // Another program's text: the euro sign and the arrow have no Latin-1
    // character and are dropped; a no-break space and umlauts come through.
    const std::string input = scratch.Write("xclip-input",
                                            "Gr\xC3\xBC\xC3\x9F"
                                            "e \xE2\x82\xAC"
                                            "5\xC2\xA0\xE2\x86\x92ok");
    OvTest::ChildProcess owner;
    OvTest::LaunchOptions options;
    options.arguments = {"xclip", "-selection", "clipboard", "-quiet", "-loops", "1", input};
    options.outputPath = "/dev/null";
    ASSERT_TRUE(owner.Launch(options));
    std::string text;
    EXPECT_TRUE(OvTest::WaitUntil(
        [&] {
            PumpMessages();
            return PlatformGetClipboardText(&text) && text != "caf\xE9 \xA9\nnext";
        },
        20.0))
        << "the other program's text never arrived";
    EXPECT_EQ(text,
              "Gr\xFC\xDF"
              "e 5\xA0ok");
    int status = 0;
    EXPECT_TRUE(owner.WaitForExit(10.0, &status));
}

TEST_F(DesktopTest, CursorsFromPixelsAndTheSystemShowOverTheWindow) {
    // 3 x 2 opaque pixels of distinct colours, hot spot at the bottom right.
    const unsigned char rgba[] = {255, 0,  0,  255, 0,  255, 0,  255, 0,  0,  255, 255,
                                  10,  20, 30, 255, 40, 50,  60, 255, 70, 80, 90,  255};
    const Shape expected{3, 2, 2, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF0A141E, 0xFF28323C, 0xFF46505A}};
    OV_CURSOR image;
    ASSERT_TRUE(image.LoadFromPixels(rgba, 3, 2, 2, 1));
    ASSERT_TRUE(image.Apply());
    EXPECT_TRUE(ShownSoon([&](const Shape& shown) { return shown == expected; }));

    OV_CURSOR arrow, beam;
    ASSERT_TRUE(arrow.LoadSystem(OV_SYSTEM_CURSOR::ARROW));
    ASSERT_TRUE(beam.LoadSystem(OV_SYSTEM_CURSOR::IBEAM));
    ASSERT_TRUE(arrow.Apply());
    Shape arrowShape;
    EXPECT_TRUE(ShownSoon([&](const Shape& shown) { return (arrowShape = shown).width > 0 && !(shown == expected); }));
    ASSERT_TRUE(beam.Apply());
    EXPECT_TRUE(ShownSoon([&](const Shape& shown) { return shown.width > 0 && !(shown == arrowShape); }));
    EXPECT_EQ(beam.Handle(), LoadCursorA(nullptr, IDC_IBEAM));  // system cursors are shared

    // Releasing the cursor in force puts the arrow back; shared ones cannot be destroyed.
    ASSERT_TRUE(image.Apply());
    image.Release();
    EXPECT_EQ(PlatformCurrentCursor(), nullptr);
    EXPECT_TRUE(ShownSoon([&](const Shape& shown) { return shown.width > 0 && !(shown == expected); }));
    EXPECT_FALSE(DestroyCursor(beam.Handle()));
    EXPECT_FALSE(image.Apply());
}

TEST_F(DesktopTest, RefusedCursorsLeaveTheCursorHeldBefore) {
    const std::vector<unsigned char> pixels(257 * 257 * 4, 255);
    OV_CURSOR cursor;
    ASSERT_TRUE(cursor.LoadSystem(OV_SYSTEM_CURSOR::HAND));
    const HCURSOR hand = cursor.Handle();
    EXPECT_FALSE(cursor.LoadFromPixels(nullptr, 4, 4, 0, 0));
    EXPECT_FALSE(cursor.LoadFromPixels(pixels.data(), 0, 4, 0, 0));
    EXPECT_FALSE(cursor.LoadFromPixels(pixels.data(), 257, 4, 0, 0));
    EXPECT_FALSE(cursor.LoadFromPixels(pixels.data(), 4, 4, 4, 0));  // hot spot outside
    EXPECT_FALSE(cursor.LoadFromPixels(pixels.data(), 4, 4, 0, -1));
    EXPECT_FALSE(cursor.LoadSystem(static_cast<OV_SYSTEM_CURSOR>(12)));
    EXPECT_FALSE(cursor.LoadFromTexture(OvHandle{1, 0}, 0, 0));
    EXPECT_EQ(cursor.Handle(), hand);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_TRUE(cursor.LoadFromPixels(pixels.data(), 256, 256, 255, 255));
}

TEST_F(DesktopTest, ATexturesPixelsBecomeTheCursor) {
    OvHandle target{1, 0};
    ASSERT_EQ(OvRenderTargetCreate(&target, hwnd, 80, 32), 1);
    ASSERT_EQ(OvRenderTargetActivate(target), 1);
    OvHandle texture{1, 0};
    ASSERT_EQ(OvTextureCreate(&texture), 1);
    OV_CURSOR cursor;
    EXPECT_FALSE(cursor.LoadFromTexture(texture, 0, 0));  // no pixels yet
    ASSERT_EQ(OvTextureLoadEmpty(texture, 2, 2, 0), 1);
    auto* pixels = static_cast<unsigned char*>(OvTextureLock(texture, 0));
    ASSERT_NE(pixels, nullptr);
    const unsigned char rgba[] = {200, 100, 50, 255, 1, 2, 3, 255, 9, 8, 7, 255, 255, 255, 255, 255};
    std::copy(std::begin(rgba), std::end(rgba), pixels);
    OvTextureUnlock(texture, 1);

    ASSERT_TRUE(cursor.LoadFromTexture(texture, 1, 0));
    ASSERT_TRUE(cursor.Apply());
    const Shape expected{2, 2, 1, 0, {0xFFC86432, 0xFF010203, 0xFF090807, 0xFFFFFFFF}};
    EXPECT_TRUE(ShownSoon([&](const Shape& shown) { return shown == expected; }));
    EXPECT_EQ(OvTextureLock(texture, 0), OvTextureLock(texture, 0));  // the texture was left unlocked
    OvTextureUnlock(texture, 0);
    cursor.Release();
    OvTextureDestroy(texture);
    OvRenderTargetDestroy(target);
}

}  // namespace
