// SPDX-License-Identifier: Apache-2.0
// Feeds files to a fuzz entry without libFuzzer: every regular file named on the command line,
// or found directly inside a named folder, is one input. A crash or failed check is a failure.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Replay(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    // An exact-size heap copy, so that the sanitizer build sees a read past the end.
    std::vector<uint8_t> input(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(input.empty() ? nullptr : input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::vector<std::string> files;
        if (IsDirectory(arg)) {
            DIR* dir = opendir(arg.c_str());
            for (dirent* entry = dir ? readdir(dir) : nullptr; entry != nullptr;
                 entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != ".." && name != ".gitkeep" &&
                    !IsDirectory(arg + "/" + name)) {
                    files.push_back(arg + "/" + name);
                }
            }
            if (dir != nullptr) {
                closedir(dir);
            }
        } else {
            files.push_back(arg);
        }
        for (const std::string& file : files) {
            if (Replay(file)) {
                ++replayed;
            } else {
                ++failed;
            }
        }
    }
    std::printf("replayed %d inputs, %d unreadable\n", replayed, failed);
    return failed == 0 && replayed > 0 ? 0 : 1;
}
