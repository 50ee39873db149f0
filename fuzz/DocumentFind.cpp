#include "ovcore/data/Document.h"
#include "fuzz/FuzzInput.h"

#include <string>

using namespace OvCore;

// Find and GetAttribute with fuzzed paths on a fuzzed document: mode 0
// always resolves, mode 1 never gives a node, and the tree stays whole
// enough to be saved and cleared.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string path = input.TakeWord(200);
    const std::string attribute = input.TakeWord(16);
    const int mode = input.TakeByte() % 3;
    OV_DOCUMENT document;
    document.Parse(input.RestData(), input.RestSize(), " \t\n\r", true);

    const OV_NODE_HANDLE found = document.Find(path.c_str(), mode, nullptr);
    if (mode == FIND_CREATE) FuzzCheck(found.IsValid());
    if (mode == FIND_REMOVE) FuzzCheck(!found.IsValid());
    OV_NODE* start = document.Root()->firstChild;
    const OV_ATTRIBUTE_HANDLE value = document.GetAttribute(path.c_str(), attribute.c_str(), mode, start);
    if (mode == FIND_CREATE) FuzzCheck(value.IsValid());
    if (value.IsValid()) FuzzCheck(value->name == attribute.c_str());
    OV_BUFFER out;
    document.Save(out);
    return 0;
}
