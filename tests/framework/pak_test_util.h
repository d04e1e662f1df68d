// Helpers shared by the package and image tests: a scratch folder and small package builders.
// SPDX-License-Identifier: MIT
#pragma once

#include "framework/pak/pak_writer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace PakTestUtil
{

// A fresh folder under the test temp dir, removed again when the fixture ends.
class ScratchDir
{
  public:
    ScratchDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zadi-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchDir()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    [[nodiscard]] std::string Path(std::string_view name) const
    {
        return (std::filesystem::path(path_) / name).string();
    }

    void Write(std::string_view name, const std::vector<uint8_t>& bytes) const
    {
        const std::filesystem::path target = Path(name);
        std::filesystem::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    void Write(std::string_view name, std::string_view text) const
    {
        Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    [[nodiscard]] std::vector<uint8_t> Read(std::string_view name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::string path_;
};

inline std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

struct PakFileSpec
{
    std::string name;
    std::string data;
};

// Serialised package holding the given files.
inline std::vector<uint8_t> BuildPak(const std::vector<PakFileSpec>& files)
{
    Lumo::PakWriter writer;
    for (const PakFileSpec& file : files)
    {
        if (!writer.AddFile(file.name, Bytes(file.data)))
        {
            std::abort();
        }
    }
    return writer.Serialise();
}

} // namespace PakTestUtil
