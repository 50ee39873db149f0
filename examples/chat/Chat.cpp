// Chat: two programs talk over TCP, a line at a time, through the sockets the
// core polls in its frame step.
//
//   example_chat server [port]          listens (port 5150 by default),
//                                       passes every line on to all others and
//                                       greets a newcomer with the lines so far
//   example_chat client [host] [port]   connects (127.0.0.1:5150), trying
//                                       again every second until it answers;
//                                       lines typed before that go out then
//
// Controls: type a line and press Enter to send it; Backspace; Escape quits.
// Your own lines are white, lines from the others green; each line that
// arrives is also printed as "< line". The text uses the game's font
// (Data/Fonts/, which the build copies next to the programs).
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/net/SocketCollection.h"
#include "ovcore/render/FontCollection.h"
#include "ovcore/render/Texture.h"
#include "ovcore/world/FrameStep.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kShownLines = 22;
constexpr size_t kLongestLine = 200;

struct Line {
    bool ours;
    std::string text;
};

struct Chat {
    bool server = false;
    std::string host = "127.0.0.1";
    uint16_t port = 5150;
    std::deque<Line> lines;
    std::string typing;
    std::string arriving;  // the bytes of a line not yet ended
    std::string unsent;  // a client's lines typed while not connected
    float retryIn = 0.0f;
} chat;

OV_SOCKET& Connection() { return *Sockets().Get("chat", 0); }

void AddLine(bool ours, const std::string& text) {
    chat.lines.push_back({ours, text});
    if (chat.lines.size() > kShownLines) chat.lines.pop_front();
    if (!ours) {
        std::printf("< %s\n", text.c_str());
        std::fflush(stdout);
    }
}

void TakeBytes(const OV_MEMORY_FILE* buffer) {
    for (uint32_t i = 0; i < buffer->size; ++i) {
        const char c = static_cast<char>(buffer->data[i]);
        if (c == '\n') {
            AddLine(false, chat.arriving);
            chat.arriving.clear();
        } else if (chat.arriving.size() < kLongestLine) {
            chat.arriving += c;
        }
    }
}

// The server passes each block on to every client but its sender.
void OnClientReceive(OV_SOCKET* socket, OvHandle client, OV_MEMORY_FILE* buffer) {
    TakeBytes(buffer);
    OV_SOCKET_MESSAGE relay;
    relay.buffer = buffer;
    relay.target = client;
    relay.broadcast = 1;
    socket->Send(relay);
}

void OnReceive(OV_SOCKET*, OV_MEMORY_FILE* buffer) { TakeBytes(buffer); }

void SendText(OV_SOCKET& socket, const std::string& text, OvHandle target) {
    OV_MEMORY_FILE bytes;
    bytes.Write(text.data(), static_cast<uint32_t>(text.size()));
    OV_SOCKET_MESSAGE message;
    message.buffer = &bytes;
    message.target = target;
    socket.Send(message);
}

// A newcomer first gets the lines shown so far.
bool OnAccept(OV_SOCKET* socket, OvHandle client) {
    std::string history;
    for (const Line& line : chat.lines) history += line.text + "\n";
    if (!history.empty()) SendText(*socket, history, client);
    return true;
}

bool OnConnect(OV_SOCKET* socket) {
    if (!chat.unsent.empty()) SendText(*socket, chat.unsent, OvHandle{0, 0});
    chat.unsent.clear();
    return true;
}

void SendLine(const std::string& text) {
    if (chat.server || Connection().mode == OV_SOCKET::CLIENT)
        SendText(Connection(), text + "\n", OvHandle{0, 0});
    else
        chat.unsent += text + "\n";
    AddLine(true, text);
}

void ReadKeyboard() {
    char c = 0;
    while (PopTypedChar(c)) {
        if (c == '\r' || c == '\n') {
            if (!chat.typing.empty()) SendLine(chat.typing);
            chat.typing.clear();
        } else if (c == '\b') {
            if (!chat.typing.empty()) chat.typing.pop_back();
        } else if (c >= ' ' && chat.typing.size() < kLongestLine) {
            chat.typing += c;
        }
    }
}

void KeepClientConnected() {
    if (chat.server || Connection().mode == OV_SOCKET::CLIENT) return;
    chat.retryIn -= LoopState().delta;
    if (chat.retryIn > 0.0f) return;
    chat.retryIn = 1.0f;
    Connection().Connect(chat.host.c_str(), chat.port, OV_SOCKET_ANY);
}

bool ReadArguments(int argc, char** argv) {
    if (argc < 2) return false;
    chat.server = std::strcmp(argv[1], "server") == 0;
    if (!chat.server && std::strcmp(argv[1], "client") != 0) return false;
    const int portArgument = chat.server ? 2 : 3;
    if (!chat.server && argc > 2) chat.host = argv[2];
    if (argc > portArgument) chat.port = static_cast<uint16_t>(std::atoi(argv[portArgument]));
    return true;
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    ReadKeyboard();
    KeepClientConnected();
    World().FrameStep();  // polls the core's sockets: Connection() among them
}

void DrawText(const OV_FONT& font, const char* text, double x, double y) {
    font.DrawText(text, OV_VECTOR(x, y, 0, 1), OV_VECTOR(1, 1, 1, 1), OV_ANGLES(0, 0, 0, 0));
}

// The status line at the top, the lines so far below it, the prompt at the bottom.
void DrawChat(const OV_FONT& font) {
    char status[96];
    if (chat.server)
        std::snprintf(status, sizeof status, "server on port %u, %zu connected", chat.port,
                      Connection().clients.size());
    else
        std::snprintf(status, sizeof status, "%s %s:%u",
                      Connection().mode == OV_SOCKET::CLIENT ? "talking to" : "waiting for", chat.host.c_str(),
                      chat.port);
    OvSetState(OV_STATE_DRAW_COLOR, 0.6, 0.6, 1.0, 1.0);
    DrawText(font, status, 10, 8);
    double y = 34;
    for (const Line& line : chat.lines) {
        if (line.ours)
            OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        else
            OvSetState(OV_STATE_DRAW_COLOR, 0.2, 1.0, 0.2, 1.0);
        DrawText(font, line.text.c_str(), 10, y);
        y += 18;
    }
    char prompt[kLongestLine + 8];
    std::snprintf(prompt, sizeof prompt, "> %s_", chat.typing.c_str());
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 0.3, 1.0);
    DrawText(font, prompt, 10, kHeight - 26);
}

void Draw() {
    UseWindowView();
    if (const OV_FONT* font = Fonts().Access(FIND, "font", 0).Value()) DrawChat(*font);
    DrawControls("Enter sends; Escape quits", 420, 8);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main(int argc, char** argv) {
    if (!ReadArguments(argc, argv)) {
        std::fprintf(stderr, "usage: %s server [port] | client [host] [port]\n", argv[0]);
        return 2;
    }
    if (!OpenExampleWindow(chat.server ? "Chat server" : "Chat client", kWidth, kHeight)) return 1;
    SocketsStartup();
    Fonts().Get("font", 0)->Load("Data/Fonts/courier_new.ovt", "Data/Fonts/courier_new.fnt", 10, TEXTURE_NEAREST,
                                 TEXTURE_NEAREST);
    OV_SOCKET& connection = Connection();
    connection.OnAccept = OnAccept;
    connection.OnConnect = OnConnect;
    connection.OnClientReceive = OnClientReceive;
    connection.OnReceive = OnReceive;
    const bool listening = !chat.server || connection.Listen(chat.port, 0);
    if (!listening) std::fprintf(stderr, "cannot listen on port %u\n", chat.port);

    if (listening) RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();  // closes the core's sockets with the rest
    SocketsShutdown();
    return listening ? 0 : 1;
}
