// A fresh folder per test, and the settings file the game writes below it.
// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace KernelTests
{

// Made empty before each test of the fixture, removed after it.
class TempFolderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("zadi_kernel_" + std::to_string(getpid()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        if (!folder.empty())
        {
            std::filesystem::remove_all(folder);
        }
    }

    void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // The settings file of a run whose XDG_DATA_HOME was folder/data; empty
    // when none was written.
    std::string ReadSettingsFile() const
    {
        std::ifstream in(folder / "data" / "Jollyvane" / "SaltmereZeve" / "settings.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path folder;
};

} // namespace KernelTests
