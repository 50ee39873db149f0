// A subproject includes the framework's headers from their one include root.
#include "ovcore/foundation/String.h"
#include "ovcore/engine/OrvoCore.h"

int main() { return OvVersion() == OV_VERSION ? 0 : 1; }
