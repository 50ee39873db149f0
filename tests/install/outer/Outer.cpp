// Both spellings of the framework's headers reach the same files.
#include "foundation/String.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/String.h"

int main() { return OvVersion() == OV_VERSION ? 0 : 1; }
