// Runs a fuzz target's entry point once on every file named (or in every folder named), as a plain test
// program: the seeds and every input a fuzz run found a fault with are replayed by the normal builds,
// under their sanitizers. Exit status 0 when every input ran; a fault ends the program as it would end
// the fuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (!std::filesystem::is_directory(path)) {
            readable = Replay(path) && readable;
            ++inputs;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (!entry.is_regular_file()) continue;
            readable = Replay(entry.path()) && readable;
            ++inputs;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    return readable && inputs > 0 ? 0 : 1;
}
