// zadi-tool's "image" commands: describe a picture or convert it to PNG, loaded as the game loads
// it. SPDX-License-Identifier: MIT
#include "framework/images/image_access.h"
#include "framework/images/png_writer.h"
#include "framework/pak/pak_interface.h"
#include "tools/zadi-tool/commands.h"

#include <cstdio>

namespace ZadiTool
{

namespace
{

constexpr const char* kUsage =
    "usage: zadi-tool image info [-pak FILE] PATH | image convert [-pak FILE] PATH OUT.png";

struct ImageArgs
{
    std::vector<std::string> packages;
    std::vector<std::string> positional;
};

// Splits "-pak FILE" options from the rest; false on a "-pak" without its file or an unknown
// option.
bool ParseImageArgs(const Args& args, ImageArgs& parsed)
{
    for (size_t i = 1; i < args.size(); ++i)
    {
        if (args[i] == "-pak")
        {
            if (i + 1 == args.size())
            {
                return false;
            }
            parsed.packages.push_back(args[++i]);
        }
        else if (args[i].size() > 1 && args[i][0] == '-')
        {
            return false;
        }
        else
        {
            parsed.positional.push_back(args[i]);
        }
    }
    return true;
}

// Loads the picture through the package layer and the image loader, as the game does; prints the
// error and returns null when it cannot.
std::unique_ptr<Lumo::DDImage> LoadAsTheGameDoes(const ImageArgs& parsed, int& exitCode)
{
    Lumo::PakInterface pak;
    for (const std::string& package : parsed.packages)
    {
        // The game skips a missing package quietly; one named on the command line must be there.
        if (!pak.AddPakFile(package))
        {
            exitCode = Fail(kExitFailed, "cannot add package '" + package +
                                             "' (missing, damaged or unknown version)");
            return nullptr;
        }
    }
    const std::string& path = parsed.positional[0];
    std::unique_ptr<Lumo::DDImage> image = Lumo::GetImage(nullptr, path);
    if (image == nullptr)
    {
        exitCode = Fail(kExitFailed,
                        "cannot load picture '" + path + "' (missing, damaged or unsupported)");
    }
    return image;
}

int Info(const ImageArgs& parsed)
{
    int exitCode = kExitOk;
    const std::unique_ptr<Lumo::DDImage> image = LoadAsTheGameDoes(parsed, exitCode);
    if (image == nullptr)
    {
        return exitCode;
    }
    std::printf("width %d\nheight %d\nhas-transparency %s\nhas-partial-alpha %s\n",
                image->GetWidth(), image->GetHeight(), image->HasTransparency() ? "yes" : "no",
                image->HasPartialAlpha() ? "yes" : "no");
    return kExitOk;
}

int Convert(const ImageArgs& parsed)
{
    int exitCode = kExitOk;
    const std::unique_ptr<Lumo::DDImage> image = LoadAsTheGameDoes(parsed, exitCode);
    if (image == nullptr)
    {
        return exitCode;
    }
    Lumo::ImageLib::Image picture(image->GetWidth(), image->GetHeight());
    const uint32_t* bits = image->GetBits();
    picture.bits.assign(bits, bits + picture.bits.size());
    if (const Lumo::ImageLib::PngWriteResult written =
            Lumo::ImageLib::WritePng(picture, parsed.positional[1]);
        !written)
    {
        return Fail(kExitFailed, written.error);
    }
    return kExitOk;
}

} // namespace

int RunImageCommand(const Args& args)
{
    const std::string sub = args.empty() ? std::string() : args[0];
    ImageArgs parsed;
    if (!ParseImageArgs(args, parsed))
    {
        return Fail(kExitUsage, kUsage);
    }
    if (sub == "info" && parsed.positional.size() == 1)
    {
        return Info(parsed);
    }
    if (sub == "convert" && parsed.positional.size() == 2)
    {
        return Convert(parsed);
    }
    return Fail(kExitUsage, kUsage);
}

} // namespace ZadiTool
