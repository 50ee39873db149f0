#include "ovcore/render/ScriptCollection.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

// Made on first use, so after the core and destroyed before it: it takes
// its hook out again so that the core's final Clear never reaches it.
struct ScriptCollection {
    OV_NAMED_LIST<OV_SCRIPT> list;
    ScriptCollection() { core.SetClearHook(OV_CLEAR_STAGE::TECHNIQUE_SHADERS, ReleaseTechniqueScripts); }
    ~ScriptCollection() { core.SetClearHook(OV_CLEAR_STAGE::TECHNIQUE_SHADERS, nullptr); }
};

}  // namespace

OV_NAMED_LIST<OV_SCRIPT>& TechniqueScripts() {
    static ScriptCollection collection;
    return collection.list;
}

void ReleaseTechniqueScripts() {
    OV_NAMED_LIST<OV_SCRIPT>& scripts = TechniqueScripts();
    for (auto it = scripts.Begin(); !it.IsEnd(); it.Next()) it.Value()->Free();
    scripts.Clear();
}

}  // namespace OvCore
