// Datagram: a two-player position exchange over UDP. Each player moves a
// square and sends where it is every frame as one small datagram; the other
// draws it. Datagrams may be lost or come out of order: each carries a
// sequence number, and one older than the newest seen is ignored, so a late
// datagram never moves the other square back. The host learns the guest's
// address from its first datagram and answers there.
// Wire format, 10 bytes: 'P', the player (1 host, 2 guest), the sequence
// number (32 bits), x and y (16 bits each, pixels), all big-endian.
// Controls: arrow keys move your square; Escape quits.
// Usage: example_datagram host [port]            (default port 5151)
//        example_datagram guest [host] [port]    (default 127.0.0.1 5151)
// Each new position of the other player is printed as
// "peer <sequence> <x> <y>".
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/net/SocketCollection.h"
#include "ovcore/render/Texture.h"
#include "ovcore/world/FrameStep.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSize = 32;
constexpr double kSpeed = 200;  // pixels a second
constexpr uint16_t kDefaultPort = 5151;
constexpr uint32_t kDatagramSize = 10;
constexpr uint8_t kMagic = 'P';

struct Player {
    double x = 0, y = 0;
    bool known = false;  // the other player: a position has arrived
    uint32_t sequence = 0;  // ours: of the last datagram sent; theirs: of the newest accepted
};

struct Game {
    bool host = true;
    uint8_t self = 1;  // 1 host, 2 guest
    std::string peerHost = "127.0.0.1";
    uint16_t port = kDefaultPort;
    OvAddress peer{};  // where ours go: the guest's once it spoke (host), the host (guest)
    bool peerKnown = false;
    Player us, them;
    OV_MEMORY_FILE outgoing;
    OV_TEXTURE squares[2];  // host orange, guest blue
} game;

OV_SOCKET& Endpoint() { return *Sockets().Get("players", 0); }

void PutBigEndian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8) at[i] = static_cast<uint8_t>(value & 0xFF);
}

uint32_t GetBigEndian(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | at[i];
    return value;
}

// Newer in sequence arithmetic, so the numbers may wrap round.
bool Newer(uint32_t sequence, uint32_t than) { return static_cast<int32_t>(sequence - than) > 0; }

void OnDatagram(OV_SOCKET*, const OvAddress& from, OV_MEMORY_FILE* datagram) {
    const uint8_t* bytes = datagram->Data();
    if (datagram->Size() != kDatagramSize || bytes[0] != kMagic || bytes[1] == game.self || bytes[1] < 1 ||
        bytes[1] > 2)
        return;
    const uint32_t sequence = GetBigEndian(bytes + 2, 4);
    if (game.them.known && !Newer(sequence, game.them.sequence)) return;  // late or repeated
    if (game.host) {
        game.peer = from;
        game.peerKnown = true;
    }
    const double x = GetBigEndian(bytes + 6, 2), y = GetBigEndian(bytes + 8, 2);
    const bool moved = !game.them.known || x != game.them.x || y != game.them.y;
    game.them.known = true;
    game.them.sequence = sequence;
    game.them.x = x;
    game.them.y = y;
    if (!moved) return;
    std::printf("peer %u %d %d\n", sequence, static_cast<int>(game.them.x), static_cast<int>(game.them.y));
    std::fflush(stdout);
}

void SendPosition() {
    if (!game.peerKnown) return;
    uint8_t* bytes = game.outgoing.Data();
    game.us.sequence += 1;
    bytes[0] = kMagic;
    bytes[1] = game.self;
    PutBigEndian(bytes + 2, game.us.sequence, 4);
    PutBigEndian(bytes + 6, static_cast<uint32_t>(game.us.x), 2);
    PutBigEndian(bytes + 8, static_cast<uint32_t>(game.us.y), 2);
    Endpoint().SendDatagram(game.peer, game.outgoing);
}

bool Paint(OV_TEXTURE& texture, uint32_t colour) {
    if (!texture.LoadEmpty(kSize, kSize, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0)) return false;
    int width = 0, height = 0;
    auto* pixels = static_cast<uint32_t*>(texture.Lock(&width, &height));
    for (int i = 0; pixels && i < width * height; ++i) pixels[i] = colour;
    texture.Unlock(1);
    return pixels != nullptr;
}

bool ReadArguments(int argc, char** argv) {
    if (argc < 2 || (std::strcmp(argv[1], "host") != 0 && std::strcmp(argv[1], "guest") != 0)) return false;
    game.host = std::strcmp(argv[1], "host") == 0;
    game.self = game.host ? 1 : 2;
    const int portArgument = game.host ? 2 : 3;
    if (!game.host && argc > 2) game.peerHost = argv[2];
    if (argc > portArgument) game.port = static_cast<uint16_t>(std::atoi(argv[portArgument]));
    game.us.x = game.host ? 160 : 480;
    game.us.y = 240;
    return true;
}

// The host listens on its port; the guest takes any port and knows the host.
bool OpenEndpoint() {
    OV_SOCKET& endpoint = Endpoint();
    endpoint.OnDatagram = OnDatagram;
    if (game.host) return endpoint.Bind(game.port, OV_SOCKET_ANY);
    game.peerKnown = ResolveAddress(game.peerHost.c_str(), game.port, OV_SOCKET_ANY, game.peer);
    return game.peerKnown && endpoint.Bind(0, OV_SOCKET_ANY);
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    const double step = kSpeed * LoopState().delta;
    if (KeyHeld(VK_LEFT)) game.us.x -= step;
    if (KeyHeld(VK_RIGHT)) game.us.x += step;
    if (KeyHeld(VK_UP)) game.us.y -= step;
    if (KeyHeld(VK_DOWN)) game.us.y += step;
    game.us.x = std::clamp(game.us.x, kSize / 2.0, kWidth - kSize / 2.0);
    game.us.y = std::clamp(game.us.y, kSize / 2.0, kHeight - kSize / 2.0);
    World().FrameStep();  // polls the core's sockets: OnDatagram for what arrived
    SendPosition();
}

void DrawSquare(const OV_TEXTURE& texture, const Player& player) {
    texture.DrawRect(player.x - kSize / 2.0, player.y - kSize / 2.0, player.x + kSize / 2.0, player.y + kSize / 2.0, 1,
                     1, true);
}

void Draw() {
    UseWindowView();
    OvSetState(OV_STATE_TEXTURING, 1);
    if (game.them.known) DrawSquare(game.squares[game.self == 1 ? 1 : 0], game.them);
    DrawSquare(game.squares[game.self - 1], game.us);
    DrawControls("Arrows move your square; Escape quits", 10, 10);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main(int argc, char** argv) {
    if (!ReadArguments(argc, argv)) {
        std::fprintf(stderr, "usage: %s host [port] | guest [host] [port]\n", argv[0]);
        return 2;
    }
    if (!OpenExampleWindow(game.host ? "Datagram host" : "Datagram guest", kWidth, kHeight)) return 1;
    SocketsStartup();
    game.outgoing.Allocate(kDatagramSize);
    game.outgoing.size = kDatagramSize;
    const bool ready = OpenEndpoint();
    if (!ready) std::fprintf(stderr, "cannot open the datagram endpoint (port %u)\n", game.port);
    const bool painted = Paint(game.squares[0], 0xFF2080FFu) && Paint(game.squares[1], 0xFFFF6020u);

    if (ready && painted) RunMessageLoop(Frame, nullptr);

    for (OV_TEXTURE& square : game.squares) square.Release(false);
    CloseExampleWindow();  // closes the core's sockets with the rest
    SocketsShutdown();
    return ready && painted ? 0 : 1;
}
