// Download: fetches one file over HTTP step by step, one block of at most
// 32 KiB a frame, and draws its progress as a bar while the window stays live.
//
//   example_download <host> <port> <path> [save as]
//
// The bar fills from the transfer's done and total byte counts (a body of
// unknown length shows a moving stripe until it ends). When the file is
// whole, the bar turns green, the file is written to "save as" when given,
// and "downloaded <n> bytes, status <code> <reason>" is printed (the
// server's status line); on failure the bar turns red.
// Controls: Escape quits (aborting a transfer under way). The text uses the
// game's font (Data/Fonts/, which the build copies next to the programs).
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/net/Socket.h"
#include "ovcore/render/FontCollection.h"
#include "ovcore/render/Texture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 240;
constexpr uint32_t kBlock = 32 * 1024;
constexpr double kBarLeft = 40, kBarTop = 100, kBarWidth = 560, kBarHeight = 40;

struct Download {
    std::string host, path, saveAs;
    uint16_t port = 80;
    OV_SOCKET socket;
    OV_HTTP_TRANSFER transfer;
    OV_MEMORY_FILE body;
    bool finished = false;
    bool failed = false;
    int frames = 0;
} download;

void Rectangle(double x, double y, double width, double height) {
    OvPrimitiveBegin(OV_PRIMITIVE_QUADS);
    OvPutVertex(x, y, 0, 1);
    OvPutVertex(x + width, y, 0, 1);
    OvPutVertex(x + width, y + height, 0, 1);
    OvPutVertex(x, y + height, 0, 1);
    OvPrimitiveEnd();
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    if (download.finished) return;
    ++download.frames;
    download.socket.HttpUpdate(download.transfer, download.body, kBlock);
    if (download.transfer.state == OV_HTTP_TRANSFER::COMPLETE) {
        download.finished = true;
        if (!download.saveAs.empty()) download.body.SaveToFile(download.saveAs.c_str());
        std::printf("downloaded %d bytes, status %d %s\n", download.transfer.done, download.socket.HttpStatus(),
                    download.socket.HttpReason().c_str());
        std::fflush(stdout);
    } else if (download.transfer.state == OV_HTTP_TRANSFER::IDLE) {
        download.finished = download.failed = true;
        std::printf("download failed\n");
        std::fflush(stdout);
    }
}

void DrawBar() {
    const OV_HTTP_TRANSFER& transfer = download.transfer;
    OvSetState(OV_STATE_TEXTURING, 0);
    OvSetState(OV_STATE_DRAW_COLOR, 0.25, 0.25, 0.3, 1.0);
    Rectangle(kBarLeft, kBarTop, kBarWidth, kBarHeight);
    if (download.failed)
        OvSetState(OV_STATE_DRAW_COLOR, 0.9, 0.1, 0.1, 1.0);
    else if (download.finished)
        OvSetState(OV_STATE_DRAW_COLOR, 0.1, 0.9, 0.2, 1.0);
    else
        OvSetState(OV_STATE_DRAW_COLOR, 0.2, 0.5, 1.0, 1.0);
    if (download.failed || download.finished) {
        Rectangle(kBarLeft, kBarTop, kBarWidth, kBarHeight);
    } else if (transfer.total > 0) {
        Rectangle(kBarLeft, kBarTop, kBarWidth * transfer.done / transfer.total, kBarHeight);
    } else {
        Rectangle(kBarLeft + (download.frames * 8) % static_cast<int>(kBarWidth - 40), kBarTop, 40, kBarHeight);
    }
    OvSetState(OV_STATE_TEXTURING, 1);
}

void DrawCaption() {
    const OV_FONT* font = Fonts().Access(FIND, "font", 0).Value();
    if (!font) return;
    char caption[160];
    std::snprintf(caption, sizeof caption, "http://%s:%u/%s\n%d of %d bytes", download.host.c_str(), download.port,
                  download.path.c_str(), download.transfer.done, download.transfer.total);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    font->DrawText(caption, OV_VECTOR(kBarLeft, 40, 0, 1), OV_VECTOR(1, 1, 1, 1), OV_ANGLES(0, 0, 0, 0));
}

void Draw() {
    UseWindowView();
    DrawBar();
    DrawCaption();
    DrawControls("Escape quits", 10, kHeight - 24);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <host> <port> <path> [save as]\n", argv[0]);
        return 2;
    }
    download.host = argv[1];
    download.port = static_cast<uint16_t>(std::atoi(argv[2]));
    download.path = argv[3];
    if (argc > 4) download.saveAs = argv[4];
    if (!OpenExampleWindow("Download", kWidth, kHeight)) return 1;
    SocketsStartup();
    Fonts().Get("font", 0)->Load("Data/Fonts/courier_new.ovt", "Data/Fonts/courier_new.fnt", 10, TEXTURE_NEAREST,
                                 TEXTURE_NEAREST);
    if (!download.socket.HttpGetBegin(download.transfer, download.host.c_str(), download.path.c_str(), download.port)) {
        download.finished = download.failed = true;
        std::printf("download failed\n");
    }

    RunMessageLoop(Frame, nullptr);

    download.socket.HttpAbort(download.transfer);
    CloseExampleWindow();  // closes the core's sockets with the rest
    SocketsShutdown();
    return 0;
}
