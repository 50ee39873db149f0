// Replays a fuzz target's kept corpus without libFuzzer: every regular file
// in the folders (or files) given is read into a buffer of exactly its size
// and handed to the target once. A target that finds a fault aborts or
// traps, which fails the run; a missing folder replays nothing but the
// empty input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> InputsUnder(const std::filesystem::path& place) {
    std::vector<std::filesystem::path> inputs;
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) {
        inputs.push_back(place);
        return inputs;
    }
    for (const auto& entry : std::filesystem::directory_iterator(place, error))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

void Replay(const std::filesystem::path& input) {
    std::ifstream file(input, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // A fresh allocation of exactly the input's size, so that reading past it is caught.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    LLVMFuzzerTestOneInput(exact.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const auto inputs = InputsUnder(argv[i]);
        if (inputs.empty()) std::printf("%s: no inputs\n", argv[i]);
        for (const auto& input : inputs) {
            std::fprintf(stderr, "%s\n", input.c_str());
            Replay(input);
            ++replayed;
        }
    }
    uint8_t nothing = 0;
    LLVMFuzzerTestOneInput(&nothing, 0);
    std::printf("replayed %zu inputs and the empty one\n", replayed);
    return 0;
}
