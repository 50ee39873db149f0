#include "app/IntroScene.h"

namespace OvCore {

// The logo sequence is not built yet: the scene hands over at once.
void IntroScene() {}

} // namespace OvCore
