// A scratch folder and byte helpers for the tests of player and option files.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/player_list.h"

#include <gtest/gtest.h>

namespace GameDataTest
{

using Bytes = std::vector<std::uint8_t>;

// A fresh folder per test, removed with everything in it afterwards.
class ScratchFolder
{
  public:
    ScratchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zadi-gamedata-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
        {
            ADD_FAILURE() << "cannot make a scratch folder";
        }
        root = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(const std::string& name = "") const
    {
        return name.empty() ? root.string() : (root / name).string();
    }

  private:
    std::filesystem::path root;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The names of the files in a folder, sorted.
inline std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A record with a different value in every field.
inline Gamespace::PlayerInfo SampleRecord()
{
    Gamespace::PlayerInfo record;
    record.isCurrent = true;
    record.name = "Mira";
    record.area = 2;
    record.stage = 7;
    record.zeve = -1;
    record.jewels = 300;
    record.basket = 1;
    record.basketHealth = 25;
    record.zeveVazes = 3;
    record.silverVazes = 4;
    record.bronzeVazes = 5;
    record.keysHintShown = true;
    record.timerHintShown = false;
    record.bonusLineHintShown = true;
    record.finalScore = 0x1234;
    record.gameFinished = true;
    return record;
}

} // namespace GameDataTest
