// The end-to-end suite runs on X servers of its own, so that its pointer
// motion, keyboard focus and window managers never meet other tests that
// share the machine's display: the tests inside this process use one private
// server (set as DISPLAY before anything opens it), and each run of the
// program starts another.
#include "tests/support/XServer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OvTest::XServer server;
    if (!server.Start(1920, 1080)) {
        std::fprintf(stderr, "could not start Xvfb\n");
        return 1;
    }
    setenv("DISPLAY", server.DisplayName().c_str(), 1);
    const int result = RUN_ALL_TESTS();
    server.Stop();
    return result;
}
