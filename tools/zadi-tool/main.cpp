// zadi-tool: look inside the game's packages, pictures, fonts and save files.
// SPDX-License-Identifier: MIT
#include "tools/zadi-tool/commands.h"

#include <cstdio>
#include <string_view>

namespace ZadiTool
{

int Fail(int exitCode, const std::string& message)
{
    std::fprintf(stderr, "zadi-tool: %s\n", message.c_str());
    return exitCode;
}

namespace
{

struct CommandGroup
{
    std::string_view name;
    int (*run)(const Args&);
    std::string_view usage;
};

constexpr CommandGroup kGroups[] = {
    {"pak", RunPakCommand,
     "pak create OUT.pak DIR | pak list FILE.pak | pak cat FILE.pak NAME"},
    {"image", RunImageCommand,
     "image info [-pak FILE] PATH | image convert [-pak FILE] PATH OUT.png"},
    {"font", RunFontCommand,
     "font render [-pak FILE] DESCRIPTOR TEXT OUT.png | font check [-pak FILE] DESCRIPTOR"},
    {"save", RunSaveCommand, "save show FILE.usr"},
};

int PrintUsage(FILE* out)
{
    std::fprintf(out, "usage: zadi-tool COMMAND ...\n");
    for (const CommandGroup& group : kGroups)
    {
        std::fprintf(out, "  zadi-tool %.*s\n", static_cast<int>(group.usage.size()),
                     group.usage.data());
    }
    return out == stdout ? kExitOk : kExitUsage;
}

} // namespace
} // namespace ZadiTool

int main(int argc, char** argv)
{
    using namespace ZadiTool;
    if (argc < 2)
    {
        return PrintUsage(stderr);
    }
    const std::string_view command = argv[1];
    if (command == "-h" || command == "--help" || command == "help")
    {
        return PrintUsage(stdout);
    }
    for (const CommandGroup& group : kGroups)
    {
        if (group.name == command)
        {
            return group.run(Args(argv + 2, argv + argc));
        }
    }
    Fail(kExitUsage, "unknown command '" + std::string(command) + "'");
    return PrintUsage(stderr);
}
