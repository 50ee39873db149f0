// The core's socket collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/net/Socket.h"

namespace OvCore {

// The core's named sockets. Made on first use, it joins the core: the frame
// step calls Update on every socket in collection order, and OV_CORE::Clear
// closes them all and empties the collection.
OV_NAMED_LIST<OV_SOCKET>& Sockets();

// The sockets' place in the UPDATE phase of the core frame step: after the
// application's update hook, before the actors.
inline constexpr int OV_SOCKETS_PLACE = 10;

}  // namespace OvCore
