// Runs corpus files through a fuzz harness without libFuzzer: each argument is a file,
// or a folder whose files are all run. A violated property aborts.

#include "fuzz_check.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

int runFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto &entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file())
                    failures += runFile(entry.path());
        } else {
            failures += runFile(path);
        }
    }
    return failures == 0 ? 0 : 1;
}
