// Fuzz target for the readers of save files and option files, and for the save file names.
// SPDX-License-Identifier: MIT
//
// Every input is read as a save file, as "options.opt" and as "resolution.opt",
// and its bytes are used as a player name. Besides memory errors it stops on a
// broken rule: a value outside its range, a record that does not read back the
// same, or a file name that could leave the save folder or stand for two names.
#include "game/game_options.h"
#include "game/player_list.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace
{

using namespace Gamespace;

void Check(bool rule)
{
    if (!rule)
    {
        std::abort();
    }
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Undoes the escaping; a file name that no name could produce gives nothing.
bool Unescape(const std::string& fileName, std::string& name)
{
    name.clear();
    for (std::size_t i = 0; i < fileName.size(); ++i)
    {
        if (fileName[i] != '%')
        {
            name += fileName[i];
            continue;
        }
        if (i + 2 >= fileName.size() || HexValue(fileName[i + 1]) < 0 ||
            HexValue(fileName[i + 2]) < 0)
        {
            return false;
        }
        name += static_cast<char>(HexValue(fileName[i + 1]) * 16 + HexValue(fileName[i + 2]));
        i += 2;
    }
    return true;
}

void CheckSaveRecord(std::span<const std::uint8_t> bytes)
{
    PlayerInfo record;
    DecodePlayerRecord(bytes, record);
    Check(record.name.size() <= kSavedNameBytes);
    Check(record.name.find('\0') == std::string::npos);

    PlayerInfo again;
    DecodePlayerRecord(EncodePlayerRecord(record), again);
    Check(again.name == record.name && again.zeve == record.zeve && again.area == record.area &&
          again.basketHealth == record.basketHealth && again.basket == record.basket &&
          again.finalScore == record.finalScore && again.gameFinished == record.gameFinished &&
          again.isCurrent == record.isCurrent);
    if (bytes.size() >= kSaveRecordSize)
    {
        // A record written back gives the same 42 bytes, up to how true is spelled.
        const SaveRecord encoded = EncodePlayerRecord(record);
        for (std::size_t i = 0; i < kSaveRecordSize; ++i)
        {
            const bool flag = i == 0 || (i >= 36 && i <= 38) || i == 41;
            const bool nameAfterEnd = i >= 1 && i < 16 && i - 1 >= record.name.size();
            if (flag)
            {
                Check((encoded[i] != 0) == (bytes[i] != 0));
            }
            else if (nameAfterEnd)
            {
                Check(encoded[i] == 0);
            }
            else
            {
                Check(encoded[i] == bytes[i]);
            }
        }
    }
}

void CheckOptionFiles(std::span<const std::uint8_t> bytes)
{
    GameOptions options;
    DecodeOptionsFile(bytes, options);
    Check(options.musicVolume <= 100 && options.effectsVolume <= 100);
    DecodeResolutionFile(bytes, options);
    Check(options.resolutionIndex < kResolutions.size());
}

void CheckFileName(std::span<const std::uint8_t> bytes)
{
    const std::string name(bytes.begin(), bytes.end());
    const std::string fileName = PlayerFileName(name);
    Check(fileName.size() > 4 && fileName.compare(fileName.size() - 4, 4, ".usr") == 0);
    Check(fileName.find('/') == std::string::npos && fileName.find('\\') == std::string::npos);
    Check(fileName.find('\0') == std::string::npos);
    Check(fileName[0] != '.');
    std::string back;
    Check(Unescape(fileName.substr(0, fileName.size() - 4), back) && back == name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    CheckSaveRecord(bytes);
    CheckOptionFiles(bytes);
    if (size > 0)
    {
        CheckFileName(bytes);
    }
    return 0;
}
