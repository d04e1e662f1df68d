// zadi-tool's "save" commands: show what a player's save file holds.
// SPDX-License-Identifier: MIT
#include "game/player_list.h"
#include "game/safe_file.h"
#include "tools/zadi-tool/commands.h"

#include <cstdio>
#include <memory>
#include <string>

namespace ZadiTool
{
namespace
{

const char* Bool(bool value)
{
    return value ? "true" : "false";
}

// The name as typed, except that control bytes and "\" are written as \xNN
// and \\, so that a name can neither garble the terminal nor hide a byte.
std::string PrintableName(const std::string& name)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : name)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\')
        {
            out += "\\\\";
        }
        else if (byte < 0x20 || byte == 0x7F)
        {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
        else
        {
            out += c;
        }
    }
    return out;
}

int ShowSave(const std::string& path)
{
    using namespace Gamespace;
    std::unique_ptr<PlayerInfo> record = PlayerList::NewPlayerInfo();
    if (!ReadPlayer(*record, path))
    {
        const FileBytes file = ReadFileBytes(path, 1);
        return Fail(kExitFailed, file.status == ReadStatus::Missing
                                     ? "cannot open '" + path + "': no such file"
                                     : file.message);
    }
    const PlayerInfo& p = *record;
    std::printf("isCurrent: %s\n", Bool(p.isCurrent));
    std::printf("name: %s\n", PrintableName(p.name).c_str());
    std::printf("area: %u\n", unsigned{p.area});
    std::printf("stage: %u\n", unsigned{p.stage});
    std::printf("zeve: %d\n", static_cast<int>(p.zeve));
    std::printf("jewels: %u\n", unsigned{p.jewels});
    std::printf("basket: %u\n", unsigned{p.basket});
    std::printf("basketHealth: %u\n", unsigned{p.basketHealth});
    std::printf("zeveVazes: %u\n", unsigned{p.zeveVazes});
    std::printf("silverVazes: %u\n", unsigned{p.silverVazes});
    std::printf("bronzeVazes: %u\n", unsigned{p.bronzeVazes});
    std::printf("keysHintShown: %s\n", Bool(p.keysHintShown));
    std::printf("timerHintShown: %s\n", Bool(p.timerHintShown));
    std::printf("bonusLineHintShown: %s\n", Bool(p.bonusLineHintShown));
    std::printf("finalScore: %u\n", unsigned{p.finalScore});
    std::printf("gameFinished: %s\n", Bool(p.gameFinished));

    // The game takes a short file too; say which values did not come from it.
    const FileBytes file = ReadFileBytes(path, kSaveRecordSize);
    if (file.status == ReadStatus::Ok && file.bytes.size() < kSaveRecordSize)
    {
        std::fprintf(stderr,
                     "zadi-tool: note: '%s' has %zu of %zu bytes; fields past the end show the "
                     "values of a new player\n",
                     path.c_str(), file.bytes.size(), kSaveRecordSize);
    }
    return kExitOk;
}

} // namespace

int RunSaveCommand(const Args& args)
{
    if (args.size() == 2 && args[0] == "show")
    {
        return ShowSave(args[1]);
    }
    return Fail(kExitUsage, "usage: zadi-tool save show FILE.usr");
}

} // namespace ZadiTool
