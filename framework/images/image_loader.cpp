// Loading pictures by path: the file-type search, the decoders and separate alpha files.
// SPDX-License-Identifier: MIT
#include "framework/images/image_loader.h"

#include "framework/pak/pak_interface.h"

#include <atomic>
#include <cctype>
#include <string_view>

namespace Lumo::ImageLib
{

namespace
{

std::atomic<bool> gAutoAlpha{true};
std::atomic<uint32_t> gAlphaComposeColor{0xFFFFFF};

struct FileType
{
    std::string_view extension;
    ImagePtr (*decode)(std::span<const uint8_t>);
};

constexpr FileType kFileTypes[] = {
    {".tga", DecodeTga}, {".jpg", DecodeJpeg},     {".png", DecodePng},
    {".gif", DecodeGif}, {".j2k", DecodeJpeg2000}, {".jp2", DecodeJpeg2000},
};

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
    {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
        {
            return false;
        }
    }
    return true;
}

size_t FileNameStart(std::string_view path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

ImagePtr DecodeFile(const std::string& path, const FileType& type)
{
    PakFilePtr file(PakFOpen(path.c_str(), "rb"));
    std::vector<uint8_t> bytes;
    if (file == nullptr || !PakReadAll(file.get(), bytes))
    {
        return nullptr;
    }
    return type.decode(bytes);
}

// Steps 1 and 2: the extension decides which file types are tried.
ImagePtr LoadByType(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot >= FileNameStart(path);
    const std::string_view extension =
        hasExtension ? std::string_view(path).substr(dot) : std::string_view();
    const std::string base = hasExtension ? path.substr(0, dot) : path;
    for (const FileType& type : kFileTypes)
    {
        if (!hasExtension)
        {
            if (ImagePtr image = DecodeFile(base + std::string(type.extension), type))
            {
                return image;
            }
        }
        else if (EqualNoCase(extension, type.extension))
        {
            // The path as written: on a case-sensitive disk "FISH.PNG" is not "FISH.png".
            return DecodeFile(path, type);
        }
    }
    return nullptr;
}

ImagePtr LoadAlphaFile(const std::string& path)
{
    const size_t nameStart = FileNameStart(path);
    const std::string prefixed = path.substr(0, nameStart) + "_" + path.substr(nameStart);
    if (ImagePtr alpha = LoadByType(prefixed))
    {
        return alpha;
    }
    return LoadByType(path + "_");
}

} // namespace

void SetAutoAlpha(bool on)
{
    gAutoAlpha = on;
}

bool GetAutoAlpha()
{
    return gAutoAlpha;
}

void SetAlphaComposeColor(uint32_t rgb)
{
    gAlphaComposeColor = rgb & 0xFFFFFF;
}

uint32_t GetAlphaComposeColor()
{
    return gAlphaComposeColor;
}

ImagePtr LoadImageFile(const std::string& path, bool lookForAlpha)
{
    ImagePtr image = LoadByType(path);
    if (!gAutoAlpha || !lookForAlpha)
    {
        return image;
    }
    ImagePtr alpha = LoadAlphaFile(path);
    if (alpha == nullptr)
    {
        return image;
    }
    if (image == nullptr)
    {
        const uint32_t compose = gAlphaComposeColor;
        for (uint32_t& pixel : alpha->bits)
        {
            pixel = (pixel << 24) | compose;
        }
        return alpha;
    }
    if (alpha->width == image->width && alpha->height == image->height)
    {
        for (size_t i = 0; i < image->bits.size(); ++i)
        {
            image->bits[i] = (image->bits[i] & 0x00FFFFFF) | (alpha->bits[i] << 24);
        }
    }
    return image;
}

} // namespace Lumo::ImageLib
