// A small Windows program that the Wine runner test starts: it reports where Windows loaded it from and
// what it was given, and exits with the code it was asked for.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace morvane::test {
namespace {

std::string ModuleFileName() {
    std::string name(MAX_PATH, '\0');
    DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    name.resize(length);
    return name;
}

} // namespace
} // namespace morvane::test

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: wine_probe EXIT_CODE WORD\n");
        return 2;
    }
    std::printf("module %s\n", morvane::test::ModuleFileName().c_str());
    std::printf("probe says %s\n", argv[2]);
    std::fflush(stdout);
    return std::atoi(argv[1]);
}
