#include "ovcore/foundation/Number.h"

#include "ovcore/foundation/MathHelpers.h"

namespace OvCore {

long long OV_NUMBER::Truncated() const { return TruncateToInt64(value_); }

}  // namespace OvCore
