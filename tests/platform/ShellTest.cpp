// Cursor counter, tray icons, modules and resources.
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

NOTIFYICONDATAA IconData(HWND hwnd, UINT id, const char* tip) {
    NOTIFYICONDATAA data{};
    data.cbSize = 508;
    data.hWnd = hwnd;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_APP;
    data.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1));
    std::strncpy(data.szTip, tip, sizeof(data.szTip) - 1);
    return data;
}

const PlatformTrayIcon* FindIcon(HWND hwnd, UINT id) {
    for (const auto& icon : PlatformTrayIcons()) {
        if (icon.hWnd == hwnd && icon.uID == id) return &icon;
    }
    return nullptr;
}

}  // namespace

TEST(CursorTest, ShowCursorKeepsTheDisplayCounter) {
    // SDL's cursor answers only once video runs, whichever test comes first.
    ASSERT_TRUE(PlatformEnsureVideo());
    int start = PlatformCursorDisplayCount();
    EXPECT_EQ(ShowCursor(FALSE), start - 1);
    EXPECT_EQ(ShowCursor(FALSE), start - 2);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), start - 2 >= 0 ? SDL_ENABLE : SDL_DISABLE);
    EXPECT_EQ(ShowCursor(TRUE), start - 1);
    EXPECT_EQ(ShowCursor(TRUE), start);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), start >= 0 ? SDL_ENABLE : SDL_DISABLE);
    POINT point{-1, -1};
    EXPECT_TRUE(GetCursorPos(&point));
    EXPECT_FALSE(GetCursorPos(nullptr));
}

TEST(TrayTest, IconsAreKeptByWindowAndIdThroughAddModifyDelete) {
    TestWindow window("tray");
    NOTIFYICONDATAA first = IconData(window.Handle(), 0, "first");
    NOTIFYICONDATAA second = IconData(window.Handle(), 1, "second");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &first));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &first)) << "duplicate";
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &second));
    ASSERT_NE(FindIcon(window.Handle(), 0), nullptr);
    ASSERT_NE(FindIcon(window.Handle(), 1), nullptr);
    EXPECT_STREQ(FindIcon(window.Handle(), 1)->szTip, "second");
    EXPECT_EQ(FindIcon(window.Handle(), 0)->uCallbackMessage, static_cast<UINT>(WM_APP));

    std::memset(first.szTip, 'x', sizeof(first.szTip));  // no terminator
    first.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &first));
    EXPECT_EQ(std::strlen(FindIcon(window.Handle(), 0)->szTip), 127u);

    NOTIFYICONDATAA missing = IconData(window.Handle(), 9, "");
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &missing));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &missing));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));

    first.uFlags = 0;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &first));
    EXPECT_EQ(FindIcon(window.Handle(), 0), nullptr);
    EXPECT_NE(FindIcon(window.Handle(), 1), nullptr);
}

TEST(TrayTest, NotificationReachesTheProcedureAsTheCallbackMessage) {
    HWND stale = nullptr;
    {
        TestWindow window("tray notify");
        stale = window.Handle();
        NOTIFYICONDATAA data = IconData(window.Handle(), 4, "notify");
        ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
        DrainMessages();
        ASSERT_TRUE(PlatformPostTrayNotification(window.Handle(), 4, 0x0202));
        EXPECT_FALSE(PlatformPostTrayNotification(window.Handle(), 5, 0x0202));
        std::vector<MSG> messages = DrainMessages(WM_APP, WM_APP);
        ASSERT_EQ(messages.size(), 1u);
        Received().clear();
        DispatchMessageA(&messages[0]);
        ASSERT_EQ(Received().size(), 1u);
        EXPECT_EQ(Received()[0].message, static_cast<UINT>(WM_APP));
        EXPECT_EQ(Received()[0].wParam, 4u);
        EXPECT_EQ(Received()[0].lParam, 0x0202);
    }
    EXPECT_EQ(FindIcon(stale, 4), nullptr) << "a destroyed window's icons go with it";
    NOTIFYICONDATAA dead = IconData(stale, 0, "");
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &dead));
}

TEST(ModuleTest, ModulesIconsAndCursors) {
    HMODULE program = GetModuleHandleA(nullptr);
    HMODULE engine = GetModuleHandleA("Orvo Core.dll");
    ASSERT_NE(program, nullptr);
    ASSERT_NE(engine, nullptr);
    EXPECT_NE(program, engine);
    EXPECT_EQ(GetModuleHandleA("other.dll"), nullptr);
    EXPECT_NE(LoadIconA(program, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(LoadIconA(program, MAKEINTRESOURCE(2)), nullptr);
    EXPECT_EQ(LoadIconA(engine, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

TEST(ModuleTest, ResourcesAreFoundByTypeAndIdAndCopied) {
    HMODULE engine = GetModuleHandleA("Orvo Core.dll");
    unsigned char bytes[] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(PlatformAddResource(engine, 2000, 7, bytes, sizeof(bytes)));
    EXPECT_FALSE(PlatformAddResource(engine, 2000, 7, bytes, sizeof(bytes))) << "duplicate";
    EXPECT_FALSE(PlatformAddResource(engine, 2000, 8, nullptr, 3));
    EXPECT_FALSE(PlatformAddResource(nullptr, 2000, 9, bytes, 1));
    bytes[0] = 99;

    HRSRC found = FindResourceA(engine, MAKEINTRESOURCE(7), MAKEINTRESOURCE(2000));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(engine, found), 5u);
    HGLOBAL loaded = LoadResource(engine, found);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[0], 1) << "the table keeps its own copy";
    EXPECT_EQ(data[4], 5);

    EXPECT_EQ(FindResourceA(engine, MAKEINTRESOURCE(7), MAKEINTRESOURCE(2001)), nullptr);
    EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(7), MAKEINTRESOURCE(2000)), nullptr);
    EXPECT_EQ(FindResourceA(engine, "named", MAKEINTRESOURCE(2000)), nullptr);
    EXPECT_EQ(LockResource(bytes), nullptr) << "not a resource";
    EXPECT_EQ(SizeofResource(engine, nullptr), 0u);
}
