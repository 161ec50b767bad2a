// Replays every input of a stored fuzz corpus through one fuzz target's checks, without
// libFuzzer: fuzz_replay_<target> FOLDER. A broken rule or a sanitizer report aborts; the input
// being replayed is named first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// libFuzzer's byte mutation, which a replay never calls.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t*, std::size_t size, std::size_t)
{
    return size;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s KORPUSORDNER\n", argv[0]);
        return 2;
    }
    std::vector<std::filesystem::path> inputs;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        inputs.push_back(entry.path());
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "%s holds no inputs\n", argv[1]);
        return 1;
    }
    for (const auto& path : inputs) {
        std::fprintf(stderr, "%s\n", path.filename().string().c_str());
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
