// SPDX-License-Identifier: GPL-3.0-or-later
// Without libFuzzer: runs a fuzz target once on every file of the folders
// and files given, so that the committed seeds and the inputs of every fault
// the fuzzers found replay in the ordinary test run. A broken promise aborts.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    // Every input is read before the first run: the targets change folder.
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = fs::absolute(argv[i]);
        if (fs::is_directory(given)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(given))
                if (entry.is_regular_file()) paths.push_back(entry.path());
        } else {
            paths.push_back(given);
        }
    }
    std::vector<std::string> inputs;
    for (const fs::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::printf("%s\n", paths[i].filename().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(inputs[i].data()), inputs[i].size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
