// Failure reports: the last reason per thread, the callback, and the
// standard-error log that only OV_LOG turns on.
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Windows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Heard {
    std::vector<std::string> reasons;
    static void Record(const char* reason, void* user) { static_cast<Heard*>(user)->reasons.push_back(reason); }
};

class DiagnosticsTest : public ::testing::Test {
protected:
    void TearDown() override {
        PlatformSetLogCallback(nullptr, nullptr);
        unsetenv("OV_LOG");
    }

    static std::string StandardErrorOf(const char* reason) {
        testing::internal::CaptureStderr();
        PlatformReportFailure("%s", reason);
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(DiagnosticsTest, LastFailureIsPerThreadEmptyBeforeTheFirstAndKeepsTheLatest) {
    std::string before, after;
    std::thread fresh([&] {
        before = PlatformLastFailure();
        PlatformReportFailure("test: cannot open: %s: %d", "a/b.png", 2);
        PlatformReportFailure("test: cannot open: %s", "c.wav");
        after = PlatformLastFailure();
    });
    PlatformReportFailure("test: on the main thread");
    fresh.join();
    EXPECT_EQ(before, "");
    EXPECT_EQ(after, "test: cannot open: c.wav");
    EXPECT_STREQ(PlatformLastFailure(), "test: on the main thread");
}

TEST_F(DiagnosticsTest, ReasonsLongerThanTheCapacityAreCutNotOverrun) {
    const std::string path(2000, 'p');
    PlatformReportFailure("test: %s", path.c_str());
    const std::string kept = PlatformLastFailure();
    EXPECT_EQ(kept.size(), static_cast<size_t>(kPlatformReasonCapacity - 1));
    EXPECT_EQ(kept.substr(0, 7), "test: p");
}

TEST_F(DiagnosticsTest, CallbackHearsEveryReasonWithItsUserUntilRemoved) {
    Heard heard;
    PlatformSetLogCallback(Heard::Record, &heard);
    PlatformReportFailure("test: one: %s", "x");
    PlatformReportFailure("test: two");
    PlatformSetLogCallback(nullptr, &heard);
    PlatformReportFailure("test: three");
    EXPECT_EQ(heard.reasons, (std::vector<std::string>{"test: one: x", "test: two"}));
    EXPECT_STREQ(PlatformLastFailure(), "test: three");
}

TEST_F(DiagnosticsTest, FailureInsideTheCallbackIsRecordedButNotPassedBack) {
    struct Nested {
        int calls = 0;
        static void Report(const char*, void* user) {
            ++static_cast<Nested*>(user)->calls;
            PlatformReportFailure("test: inside the callback");
        }
    } nested;
    PlatformSetLogCallback(Nested::Report, &nested);
    PlatformReportFailure("test: outside");
    EXPECT_EQ(nested.calls, 1);
    EXPECT_STREQ(PlatformLastFailure(), "test: inside the callback");
    PlatformReportFailure("test: again");
    EXPECT_EQ(nested.calls, 2) << "the guard is released after the callback";
}

TEST_F(DiagnosticsTest, CallbackMayReplaceItselfWhileCalled) {
    struct Once {
        int calls = 0;
        static void Report(const char*, void* user) {
            ++static_cast<Once*>(user)->calls;
            PlatformSetLogCallback(nullptr, nullptr);
        }
    } once;
    PlatformSetLogCallback(Once::Report, &once);
    PlatformReportFailure("test: first");
    PlatformReportFailure("test: second");
    EXPECT_EQ(once.calls, 1);
}

TEST_F(DiagnosticsTest, StandardErrorOnlyWhenOvLogIsSetToSomethingButZero) {
    EXPECT_EQ(StandardErrorOf("test: unset"), "");
    setenv("OV_LOG", "", 1);
    EXPECT_EQ(StandardErrorOf("test: empty"), "");
    setenv("OV_LOG", "0", 1);
    EXPECT_EQ(StandardErrorOf("test: zero"), "");
    setenv("OV_LOG", "1", 1);
    EXPECT_EQ(StandardErrorOf("test: one"), "ov: test: one\n");
    setenv("OV_LOG", "yes", 1);
    EXPECT_EQ(StandardErrorOf("test: %s and %d"), "ov: test: %s and %d\n") << "the reason is not a format";
}

TEST_F(DiagnosticsTest, PlatformCallsReportWhatTheyRefused) {
    EXPECT_EQ(GetModuleHandleA("no such.dll"), nullptr);
    EXPECT_STREQ(PlatformLastFailure(), "platform: no module named no such.dll");
    EXPECT_EQ(FindResourceA(GetModuleHandleA("Orvo Core.dll"), MAKEINTRESOURCEA(77), MAKEINTRESOURCEA(1024)), nullptr);
    EXPECT_STREQ(PlatformLastFailure(), "platform: no resource of type 1024, id 77");
    EXPECT_EQ(CreateWindowExA(0, "no such class", "w", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_STREQ(PlatformLastFailure(), "platform: cannot create window: no window class no such class");
}

}  // namespace
