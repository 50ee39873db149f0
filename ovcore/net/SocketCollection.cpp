#include "ovcore/net/SocketCollection.h"

#include "ovcore/app/Core.h"
#include "ovcore/world/FrameStep.h"

namespace OvCore {

namespace {

void UpdateSockets() {
    for (auto it = Sockets().Begin(); !it.IsEnd(); it.Next()) it.Value()->Update();
}

void ClearSockets() {
    Sockets().Clear();  // each socket closes itself on destruction
}

// Made after the world, hence destroyed before it: the hooks go out first.
struct SocketCollection {
    OV_NAMED_LIST<OV_SOCKET> sockets;
    SocketCollection() {
        World().SetFrameHook(OV_FRAME_SLOT::SOCKETS_UPDATE, UpdateSockets);
        core.SetClearHook(OV_CLEAR_STAGE::SOCKETS, ClearSockets);
    }
    ~SocketCollection() {
        World().SetFrameHook(OV_FRAME_SLOT::SOCKETS_UPDATE, nullptr);
        core.SetClearHook(OV_CLEAR_STAGE::SOCKETS, nullptr);
    }
};

}  // namespace

OV_NAMED_LIST<OV_SOCKET>& Sockets() {
    static SocketCollection collection;
    return collection.sockets;
}

}  // namespace OvCore
