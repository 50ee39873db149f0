// The core's socket collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/net/Socket.h"

namespace OvCore {

// The core's named sockets. Made on first use, it joins the core: the frame
// step calls Update on every socket in collection order, and OV_CORE::Clear
// closes them all and empties the collection.
OV_NAMED_LIST<OV_SOCKET>& Sockets();

}  // namespace OvCore
