// zadi-tool's "font" commands: check a font descriptor, or draw a text with it as the game does.
// SPDX-License-Identifier: MIT
#include "framework/fonts/image_font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/images/image_lib.h"
#include "framework/images/png_writer.h"
#include "framework/pak/pak_interface.h"
#include "tools/zadi-tool/commands.h"

#include <cstdio>
#include <cstdlib>

namespace ZadiTool
{

namespace
{

constexpr const char* kUsage =
    "usage: zadi-tool font check [-pak FILE] DESCRIPTOR | font render [-pak FILE] [-size POINTS] "
    "[-color RRGGBB] DESCRIPTOR TEXT OUT.png";

struct FontArgs
{
    std::vector<std::string> packages;
    int pointSize = 0; // 0: the descriptor's default
    Lumo::Color color = Lumo::Color::White();
    std::vector<std::string> positional;
};

bool ParseNumber(const std::string& text, int base, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, base);
    return !text.empty() && end != nullptr && *end == '\0';
}

// Splits the options from the rest; false on an unknown option or one without its value.
bool ParseFontArgs(const Args& args, FontArgs& parsed)
{
    for (size_t i = 1; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        long number = 0;
        if (arg == "-pak" && hasValue)
        {
            parsed.packages.push_back(args[++i]);
        }
        else if (arg == "-size" && hasValue && ParseNumber(args[i + 1], 10, number) && number > 0 &&
                 number < 10000)
        {
            parsed.pointSize = static_cast<int>(number);
            ++i;
        }
        else if (arg == "-color" && hasValue && args[i + 1].size() == 6 &&
                 ParseNumber(args[i + 1], 16, number))
        {
            parsed.color = Lumo::Color(static_cast<uint32_t>(number));
            ++i;
        }
        else if (arg.size() > 1 && arg[0] == '-')
        {
            return false;
        }
        else
        {
            parsed.positional.push_back(arg);
        }
    }
    return true;
}

// The message for a terminal: the descriptor's own line breaks are "\r\n".
std::string ForTerminal(const std::string& message)
{
    std::string text;
    for (char c : message)
    {
        if (c != '\r')
        {
            text += c;
        }
    }
    return text;
}

// Parses the descriptor through the package layer with the packages added. On failure prints
// what went wrong (a descriptor error to standard output when toStdout) and returns null.
std::shared_ptr<Lumo::FontData> LoadDescriptor(const FontArgs& parsed, bool toStdout, int& exitCode)
{
    for (const std::string& package : parsed.packages)
    {
        // The game skips a missing package quietly; one named on the command line must be there.
        if (!Lumo::GetPakInterface()->AddPakFile(package))
        {
            exitCode = Fail(kExitFailed, "cannot add package '" + package +
                                             "' (missing, damaged or unknown version)");
            return nullptr;
        }
    }
    const std::string& path = parsed.positional[0];
    auto data = std::make_shared<Lumo::FontData>();
    if (data->Load(path))
    {
        return data;
    }
    if (data->GetErrorText().empty())
    {
        exitCode = Fail(kExitFailed, "cannot read font descriptor '" + path + "'");
        return nullptr;
    }
    const std::string message = ForTerminal(data->GetErrorText());
    if (toStdout)
    {
        std::printf("%s\n", message.c_str());
        exitCode = Fail(kExitFailed, "the font descriptor has an error");
    }
    else
    {
        exitCode = Fail(kExitFailed, "the font descriptor has an error: " + data->GetErrorReason() +
                                         " on line " + std::to_string(data->GetErrorLine()));
    }
    return nullptr;
}

int Check(const FontArgs& parsed)
{
    int exitCode = kExitOk;
    if (LoadDescriptor(parsed, true, exitCode) == nullptr)
    {
        return exitCode;
    }
    std::printf("ok\n");
    return kExitOk;
}

Lumo::Rect Union(const Lumo::Rect& a, const Lumo::Rect& b)
{
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return Lumo::Rect(left, top, right - left, bottom - top);
}

int Render(const FontArgs& parsed)
{
    int exitCode = kExitOk;
    std::shared_ptr<Lumo::FontData> data = LoadDescriptor(parsed, false, exitCode);
    if (data == nullptr)
    {
        return exitCode;
    }
    Lumo::ImageFont font(data);
    if (parsed.pointSize > 0)
    {
        font.SetPointSize(parsed.pointSize);
    }
    const std::string& text = parsed.positional[1];

    // A first pass with the pen at (0, 0) finds where the glyphs land; the picture is cut to
    // them and to the line box (ascent above the pen, descent below).
    Lumo::MemoryImage probe(1, 1);
    Lumo::Graphics probeGraphics(&probe);
    std::vector<Lumo::Rect> glyphs;
    int width = 0;
    font.DrawStringEx(&probeGraphics, 0, 0, text, parsed.color, probeGraphics.GetClipRect(),
                      &glyphs, &width);
    Lumo::Rect box(0, -font.GetAscent(), width, font.GetHeight());
    for (const Lumo::Rect& glyph : glyphs)
    {
        box = Union(box, glyph);
    }
    box.width = std::max(box.width, 1);
    box.height = std::max(box.height, 1);
    if (!Lumo::ImageLib::IsAcceptableImageSize(box.width, box.height))
    {
        return Fail(kExitFailed, "the text would make a picture of " + std::to_string(box.width) +
                                     " x " + std::to_string(box.height) + " pixels, too large");
    }

    // Drawn as the game draws text: colour and font set on a Graphics, then DrawString.
    Lumo::MemoryImage canvas(box.width, box.height);
    Lumo::Graphics g(&canvas);
    g.SetColor(parsed.color);
    g.SetFont(&font);
    g.DrawString(text, -box.x, -box.y);

    Lumo::ImageLib::Image picture(box.width, box.height);
    const uint32_t* bits = canvas.GetBits();
    picture.bits.assign(bits, bits + picture.bits.size());
    if (const Lumo::ImageLib::PngWriteResult written =
            Lumo::ImageLib::WritePng(picture, parsed.positional[2]);
        !written)
    {
        return Fail(kExitFailed, written.error);
    }
    return kExitOk;
}

} // namespace

int RunFontCommand(const Args& args)
{
    const std::string sub = args.empty() ? std::string() : args[0];
    FontArgs parsed;
    if (!ParseFontArgs(args, parsed))
    {
        return Fail(kExitUsage, kUsage);
    }
    Lumo::PakInterface pak; // the process-wide package layer while the command runs
    if (sub == "check" && parsed.positional.size() == 1)
    {
        return Check(parsed);
    }
    if (sub == "render" && parsed.positional.size() == 3)
    {
        return Render(parsed);
    }
    return Fail(kExitUsage, kUsage);
}

} // namespace ZadiTool
