#include "ovcore/net/SocketCollection.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

void UpdateSockets() {
    for (auto it = Sockets().Begin(); !it.IsEnd(); it.Next()) it.Value()->Update();
}

void ClearSockets() {
    Sockets().Clear();  // each socket closes itself on destruction
}

constexpr OV_FRAME_STEP kSteps[] = {{OV_FRAME_PHASE::UPDATE, OV_SOCKETS_PLACE, UpdateSockets}};

// Made on first use, so after the core, and destroyed before it: it leaves
// the core on the way.
struct SocketCollection {
    OV_NAMED_LIST<OV_SOCKET> sockets;
    SocketCollection() { core.Join(OV_CLEAR_STAGE::SOCKETS, ClearSockets, kSteps); }
    ~SocketCollection() { core.Leave(OV_CLEAR_STAGE::SOCKETS, kSteps); }
};

}  // namespace

OV_NAMED_LIST<OV_SOCKET>& Sockets() {
    static SocketCollection collection;
    return collection.sockets;
}

}  // namespace OvCore
