#include "TestWindow.h"

#include <gtest/gtest.h>

TEST(MessageTest, PostedMessagesComeOutInOrderAndDispatchReachesTheProcedure) {
    TestWindow window("posting");
    DrainMessages();
    for (UINT i = 0; i < 3; ++i) ASSERT_TRUE(PostMessageA(window.Handle(), WM_USER + i, i, 10 * i));
    std::vector<MSG> messages = DrainMessages(WM_USER, WM_USER + 10);
    ASSERT_EQ(messages.size(), 3u);
    Received().clear();
    for (UINT i = 0; i < 3; ++i) {
        EXPECT_EQ(messages[i].hwnd, window.Handle());
        EXPECT_EQ(messages[i].message, WM_USER + i);
        EXPECT_EQ(messages[i].wParam, i);
        EXPECT_EQ(messages[i].lParam, static_cast<LPARAM>(10 * i));
        DispatchMessageA(&messages[i]);
    }
    ASSERT_EQ(Received().size(), 3u);
    EXPECT_EQ(Received()[2].message, WM_USER + 2);
    EXPECT_EQ(Received()[2].hwnd, window.Handle());
}

TEST(MessageTest, QuitAndWindowlessMessagesDispatchToNothing) {
    DrainMessages();
    PostQuitMessage(7);
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER, 1, 2));
    std::vector<MSG> messages = DrainMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(messages[0].hwnd, nullptr);
    EXPECT_EQ(messages[0].wParam, 7u);
    EXPECT_EQ(DispatchMessageA(&messages[1]), 0);
    EXPECT_EQ(DispatchMessageA(nullptr), 0);
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
    MSG key{};
    key.message = WM_KEYDOWN;
    EXPECT_TRUE(TranslateMessage(&key));
    key.message = WM_USER;
    EXPECT_FALSE(TranslateMessage(&key));
}

TEST(MessageTest, SystemCloseBecomesCloseAndDefaultCloseDestroysTheWindow) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "closing";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND hwnd = CreateWindowExA(0, "closing", "closing", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    PostMessageA(hwnd, WM_USER, 0, 0);
    Received().clear();
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE | 0x3, 0);
    ASSERT_GE(Received().size(), 2u);
    EXPECT_EQ(Received()[0].message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(Received()[1].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_FALSE(IsWindow(hwnd)) << "the default for WM_CLOSE destroys the window";
    EXPECT_TRUE(DrainMessages(WM_USER, WM_USER).empty()) << "a dead window's messages are dropped";
    EXPECT_TRUE(UnregisterClassA("closing", nullptr));
    EXPECT_EQ(DefWindowProcA(nullptr, WM_CLOSE, 0, 0), 0);
}

TEST(MessageTest, QueueKeepsOrderWhileItWrapsAndGrows) {
    DrainMessages();
    UINT posted = 0, taken = 0;
    MSG msg{};
    auto takeOne = [&] {
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 1000, PM_REMOVE));
        EXPECT_EQ(msg.wParam, taken);
        ++taken;
    };
    for (; posted < 50; ++posted) PostMessageA(nullptr, WM_USER, posted, 0);
    for (int i = 0; i < 30; ++i) takeOne();
    for (; posted < 300; ++posted) PostMessageA(nullptr, WM_USER, posted, 0);
    while (taken < posted) takeOne();
    EXPECT_EQ(PlatformQueuedMessageCount(), 0u);
}

TEST(MessageTest, FiltersAndNoRemovePeekLeaveOtherMessagesQueued) {
    TestWindow first("filter one");
    TestWindow second("filter two");
    DrainMessages();
    PostMessageA(first.Handle(), WM_USER + 1, 0, 0);
    PostMessageA(second.Handle(), WM_USER + 2, 0, 0);
    PostMessageA(first.Handle(), WM_APP, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, second.Handle(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_APP, WM_APP, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
    std::vector<MSG> rest = DrainMessages(WM_USER, WM_APP);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].message, WM_USER + 1u);
    EXPECT_EQ(rest[1].message, static_cast<UINT>(WM_APP));
}
