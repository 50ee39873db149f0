// The network examples, run as their own processes under the display with
// scripted typing, on loopback (the datagram one against a test peer); what
// arrived is checked in their output, in the files they wrote and in the last
// frame each one saved.
#include "tests/net/NginxServer.h"
#include "tests/net/UdpPeer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SavedFrame.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using OvTest::SavedFrame;
using OvTest::TempFolder;

// Script lines that type the text and press Enter at the given frame.
std::string Typing(int frame, const std::string& text) {
    std::string lines;
    for (char c : text)
        lines += std::to_string(frame) + " char " + std::to_string(static_cast<unsigned char>(c)) + "\n";
    return lines + std::to_string(frame) + " char 13\n";
}

// An example started in the build folder with an input script and a frame
// to save; its standard output goes to <name>.out on its own, its standard
// error to <name>.err.
struct ExampleRun {
    OvTest::ChildProcess child;
    std::string output;
    std::string errors;

    ExampleRun(const TempFolder& folder, const std::string& name, const std::vector<std::string>& arguments,
               const std::string& script)
        : output(folder.Path(name + ".out")),
          errors(folder.Path(name + ".err")) {
        OvTest::LaunchOptions options;
        options.arguments = arguments;
        options.environment = {"OV_INPUT_SCRIPT=" + folder.Write(name + ".script", script),
                               "OV_SAVE_FRAME=" + folder.Path(name + ".png")};
        options.outputPath = output;
        options.errorPath = errors;
        child.Launch(options);
    }
    // The exit code; -1 for a run that did not end by itself within two minutes.
    int Finish() { return child.ExitCode(120.0); }
    std::string Printed() const { return TempFolder::Read(output); }
    std::string Complaints() const { return "standard error:\n" + TempFolder::Read(errors); }
};

bool Green(const uint8_t* p) { return p[1] > 200 && p[0] < 120 && p[2] < 120; }
bool White(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }

class Examples : public ::testing::Test {
protected:
    TempFolder folder{"ov_examples"};
    void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
};

// The example program a case drives, named by CTest in the environment
// (examples/CMakeLists.txt); "" when the suite runs on its own.
std::string Example(const char* variable) {
    const char* path = std::getenv(variable);
    return path ? path : "";
}

uint16_t FreePort() {
    uint16_t port = 0;
    close(peer::Listen(&port));
    return port;
}

}  // namespace

// However late the client starts, the server's line reaches it: live, or in
// the lines a newcomer is greeted with.
TEST_F(Examples, ChatLinesTypedInOneProgramAppearInTheOther) {
    const std::string program = Example("OV_EXAMPLE_CHAT");
    if (program.empty()) GTEST_SKIP() << "CTest's example_chat names the program";
    const uint16_t port = FreePort();
    ExampleRun server(folder, "server", {program, "server", std::to_string(port)},
                      "wait \"Chat server\" 640 480\n" + Typing(240, "hi from the server") + "900 close\n");
    int probe = -1;
    for (int i = 0; i < 1000 && probe < 0; ++i) {
        probe = peer::Connect(port);
        if (probe < 0) usleep(10000);
    }
    ASSERT_GE(probe, 0) << "the chat server never listened";
    close(probe);
    ExampleRun client(folder, "client", {program, "client", "127.0.0.1", std::to_string(port)},
                      "wait \"Chat client\" 640 480\n" + Typing(30, "hello from the client") + "420 close\n");
    EXPECT_EQ(client.Finish(), 0) << client.Complaints();
    EXPECT_EQ(server.Finish(), 0) << server.Complaints();
    EXPECT_EQ(server.Printed(), "< hello from the client\n");
    EXPECT_EQ(client.Printed(), "< hi from the server\n");
    // Each window shows the other's line in green and its own in white.
    for (const char* name : {"server", "client"}) {
        const SavedFrame frame(folder.Path(std::string(name) + ".png"));
        ASSERT_EQ(frame.Width(), 640) << name;
        EXPECT_GT(frame.Count(0, 30, 640, 70, Green), 50) << name;
        EXPECT_GT(frame.Count(0, 30, 640, 70, White), 50) << name;
    }
}

TEST_F(Examples, DownloadFillsItsBarFromTheSteppedTransferAndSavesTheFile) {
    const std::string program = Example("OV_EXAMPLE_DOWNLOAD");
    if (program.empty()) GTEST_SKIP() << "CTest's example_download names the program";
    NginxServer nginx;
    std::string file(1500 * 1024, '\0');
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(i * 31 / 7);
    nginx.Serve("file.bin", file);
    ASSERT_TRUE(nginx.Start());
    const std::string saved = folder.Path("saved.bin");
    ExampleRun download(folder, "download", {program, "127.0.0.1", std::to_string(nginx.Port()), "file.bin", saved},
                        "wait \"Download\" 640 240\n180 close\n");
    EXPECT_EQ(download.Finish(), 0) << download.Complaints();
    EXPECT_EQ(download.Printed(), "downloaded " + std::to_string(file.size()) + " bytes, status 200 OK\n");
    EXPECT_TRUE(TempFolder::Read(saved) == file);
    // The bar (40..600 x 100..140) is green from end to end.
    const SavedFrame frame(folder.Path("download.png"));
    ASSERT_EQ(frame.Width(), 640);
    EXPECT_GT(frame.Count(40, 100, 600, 140, Green), 560 * 40 * 9 / 10);
    EXPECT_EQ(frame.Count(0, 150, 640, 240, Green), 0);

    // Nobody there: the bar turns red, nothing is saved.
    nginx.Stop();
    ExampleRun refused(folder, "refused",
                       {program, "127.0.0.1", std::to_string(nginx.Port()), "file.bin", folder.Path("none")},
                       "wait \"Download\" 640 240\n20 close\n");
    EXPECT_EQ(refused.Finish(), 0) << refused.Complaints();
    EXPECT_EQ(refused.Printed(), "download failed\n");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("none")));
    const SavedFrame red(folder.Path("refused.png"));
    EXPECT_GT(red.Count(40, 100, 600, 140, [](const uint8_t* p) { return p[0] > 200 && p[1] < 60; }),
              560 * 40 * 9 / 10);
}

// The test is the guest: its first datagram makes the host answer, byte for
// byte; then a late datagram (sequence 2 after 3) must not move the guest's
// square back, and a lost one (4) is simply never seen.
TEST_F(Examples, DatagramHostAnswersItsGuestAndIgnoresLateDatagrams) {
    const std::string program = Example("OV_EXAMPLE_DATAGRAM");
    if (program.empty()) GTEST_SKIP() << "CTest's example_datagram names the program";
    uint16_t port = 0;
    {
        UdpPeer probe;  // a free port, given back at once
        port = probe.Port();
    }
    ExampleRun host(folder, "host", {program, "host", std::to_string(port)},
                    "wait \"Datagram host\" 640 480\n240 close\n");
    UdpPeer guest;
    auto position = [](uint32_t sequence, uint16_t x, uint16_t y) {
        const char bytes[10] = {'P',
                                2,
                                static_cast<char>(sequence >> 24),
                                static_cast<char>(sequence >> 16),
                                static_cast<char>(sequence >> 8),
                                static_cast<char>(sequence),
                                static_cast<char>(x >> 8),
                                static_cast<char>(x),
                                static_cast<char>(y >> 8),
                                static_cast<char>(y)};
        return std::string(bytes, sizeof bytes);
    };
    std::optional<std::string> answer;
    for (int i = 0; i < 300 && !answer; ++i) {  // until the host is up
        guest.SendTo(port, position(1, 100, 100));
        answer = guest.Receive(100);
    }
    ASSERT_TRUE(answer) << "the host never answered";
    EXPECT_EQ(*answer, std::string("P\x01\x00\x00\x00\x01\x00\xA0\x00\xF0", 10)) << "player 1, sequence 1, (160, 240)";
    ASSERT_TRUE(guest.SendTo(port, position(3, 300, 100)));
    ASSERT_TRUE(guest.SendTo(port, position(2, 200, 100)));
    ASSERT_TRUE(guest.SendTo(port, "P\x02junk"));
    ASSERT_TRUE(guest.SendTo(port, position(5, 500, 100)));
    const std::optional<std::string> next = guest.Receive();
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, std::string("P\x01\x00\x00\x00\x02\x00\xA0\x00\xF0", 10)) << "one a frame, numbered on";
    EXPECT_EQ(host.Finish(), 0) << host.Complaints();
    EXPECT_EQ(host.Printed(), "peer 1 100 100\npeer 3 300 100\npeer 5 500 100\n");
    // The guest's blue square at (500, 100), the host's orange one at (160, 240).
    const SavedFrame frame(folder.Path("host.png"));
    ASSERT_EQ(frame.Width(), 640);
    auto blue = [](const uint8_t* p) { return p[2] > 200 && p[0] < 60; };
    auto orange = [](const uint8_t* p) { return p[0] > 200 && p[1] > 90 && p[1] < 170 && p[2] < 80; };
    EXPECT_EQ(frame.Count(484, 84, 516, 116, blue), 32 * 32);
    EXPECT_EQ(frame.Count(0, 0, 640, 480, blue), 32 * 32);
    EXPECT_EQ(frame.Count(144, 224, 176, 256, orange), 32 * 32);
}
