// GL drivers that render on the CPU allocate their vertex scratch memory
// (megabytes for a large batch) afresh at every draw. Left to the C
// library's defaults, blocks that size are mapped from the kernel and handed
// back on free, so every frame pays a page fault for each 4 KiB of them.
#pragma once

namespace ov {

// Raises the C library's thresholds so that such blocks are kept on the
// heap and reused from frame to frame. Done once, before the first context;
// thresholds the user set through the environment stay as they are.
void KeepDriverScratchOnHeap();

}  // namespace ov
