// Reads arbitrary bytes as an input-script file (OV_INPUT_SCRIPT), then
// plays it for a few frames with no window open: nothing may be played,
// and no more lines kept than the file has.
// fuzz seeds: tools/demo.script tests/e2e/*.script examples/gamepad/run.script
#include "ovcore/platform/InputScript.h"

#include "FuzzInput.h"
#include "ScratchFile.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_script", bytes, size);
    if (!path) return 0;
    InputScriptLoadFile(path);
    const size_t lines = static_cast<size_t>(std::count(bytes, bytes + size, '\n')) + 1;
    FuzzCheck(InputScriptPending() <= lines);
    size_t pending = InputScriptPending();
    for (int frame = 0; frame < 4; ++frame) {
        InputScriptInject();
        FuzzCheck(InputScriptPending() <= pending);
        pending = InputScriptPending();
        InputScriptFrameEnded();
    }
    InputScriptLoad("");
    return 0;
}
