// A received body as text, for comparing with what a server sent.
#pragma once

#include "ovcore/data/MemoryFile.h"

#include <string>

inline std::string BodyText(const OvCore::OV_MEMORY_FILE& body) {
    return std::string(reinterpret_cast<const char*>(body.Data()), body.Size());
}
