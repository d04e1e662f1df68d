// Replays saved fuzz inputs through a fuzz target without libFuzzer.
// SPDX-License-Identifier: MIT
//
// Usage: fuzz_<name> FILE_OR_FOLDER...  Every regular file is fed to the target
// once. Exit code 0 when all inputs ran; a crash ends the process as usual.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static bool RunFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    int count = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i)
    {
        const fs::path root = argv[i];
        std::error_code error;
        if (fs::is_directory(root, error))
        {
            for (const auto& entry : fs::recursive_directory_iterator(root, error))
            {
                if (entry.is_regular_file())
                {
                    ok = RunFile(entry.path()) && ok;
                    ++count;
                }
            }
        }
        else if (fs::exists(root, error))
        {
            ok = RunFile(root) && ok;
            ++count;
        }
    }
    // An empty input still exercises the target once.
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("replayed %d inputs\n", count);
    return ok ? 0 : 1;
}
