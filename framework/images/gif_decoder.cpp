// GIF decoding: the first image of a GIF87a or GIF89a file, with its transparent index.
// SPDX-License-Identifier: MIT
#include "framework/images/image_lib.h"

#include "framework/images/byte_reader.h"

#include <array>
#include <cstring>

namespace Lumo::ImageLib
{

namespace
{

constexpr uint8_t kExtensionIntroducer = '!';
constexpr uint8_t kImageSeparator = ',';
constexpr uint8_t kTrailer = ';';
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kColourTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeBits = 12;

using Palette = std::array<uint32_t, 256>;

bool ReadColourTable(ByteReader& in, uint8_t flags, Palette& palette)
{
    const size_t entries = size_t{2} << (flags & 7);
    for (size_t i = 0; i < entries; ++i)
    {
        uint8_t red = 0, green = 0, blue = 0;
        if (!in.U8(red) || !in.U8(green) || !in.U8(blue))
        {
            return false;
        }
        palette[i] = 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    }
    return true;
}

// Walks a chain of data sub-blocks; calls onBlock with each block's bytes.
template <typename OnBlock> bool ReadSubBlocks(ByteReader& in, OnBlock onBlock)
{
    for (;;)
    {
        uint8_t length = 0;
        std::span<const uint8_t> block;
        if (!in.U8(length))
        {
            return false;
        }
        if (length == 0)
        {
            return true;
        }
        if (!in.Take(length, block))
        {
            return false;
        }
        onBlock(block);
    }
}

// Row in the picture of the n-th row delivered by the data stream.
class RowOrder
{
  public:
    RowOrder(int height, bool interlaced) : height_(height), interlaced_(interlaced) {}

    // The next row, or -1 once every row was given.
    int Next()
    {
        if (!interlaced_)
        {
            return row_ < height_ ? row_++ : -1;
        }
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        while (pass_ < 4)
        {
            if (row_ == -1)
            {
                row_ = kStart[pass_];
            }
            if (row_ < height_)
            {
                const int row = row_;
                row_ += kStep[pass_];
                return row;
            }
            ++pass_;
            row_ = -1;
        }
        return -1;
    }

  private:
    int height_;
    bool interlaced_;
    int pass_ = 0;
    int row_ = 0;
};

// Decodes the LZW stream into colour indices, row by row in stream order. False when the stream
// is malformed or ends before every pixel was given.
bool DecodeLzw(std::span<const uint8_t> data, int minCodeSize, int width, int height,
               bool interlaced, std::vector<uint8_t>& indices)
{
    std::array<uint16_t, kMaxCodes> prefix{};
    std::array<uint8_t, kMaxCodes> suffix{};
    std::array<uint8_t, kMaxCodes> first{};
    std::array<uint8_t, kMaxCodes + 1> stack{};

    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    int codeSize = minCodeSize + 1;
    int nextCode = clearCode + 2;
    int previous = -1;
    for (int i = 0; i < clearCode; ++i)
    {
        suffix[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        first[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }

    RowOrder rows(height, interlaced);
    int row = rows.Next();
    int column = 0;
    auto emit = [&](uint8_t index)
    {
        if (row < 0)
        {
            return; // extra pixels after the picture is full are ignored
        }
        indices[static_cast<size_t>(row) * static_cast<size_t>(width) +
                static_cast<size_t>(column)] = index;
        if (++column == width)
        {
            column = 0;
            row = rows.Next();
        }
    };

    uint32_t bitBuffer = 0;
    int bitCount = 0;
    size_t pos = 0;
    while (row >= 0)
    {
        while (bitCount < codeSize)
        {
            if (pos >= data.size())
            {
                return false; // cut short
            }
            bitBuffer |= uint32_t{data[pos++]} << bitCount;
            bitCount += 8;
        }
        const int code = static_cast<int>(bitBuffer & ((1u << codeSize) - 1));
        bitBuffer >>= codeSize;
        bitCount -= codeSize;

        if (code == clearCode)
        {
            codeSize = minCodeSize + 1;
            nextCode = clearCode + 2;
            previous = -1;
            continue;
        }
        if (code == endCode)
        {
            return false; // ended before the picture was full
        }
        if (previous == -1)
        {
            if (code >= clearCode)
            {
                return false;
            }
            emit(static_cast<uint8_t>(code));
            previous = code;
            continue;
        }
        if (code > nextCode || (code == nextCode && nextCode >= kMaxCodes))
        {
            return false;
        }
        // Unwind the string of code (or of previous plus its first byte for the code being made).
        size_t depth = 0;
        int walk = code;
        if (code == nextCode)
        {
            stack[depth++] = first[static_cast<size_t>(previous)];
            walk = previous;
        }
        while (walk >= clearCode)
        {
            stack[depth++] = suffix[static_cast<size_t>(walk)];
            walk = prefix[static_cast<size_t>(walk)];
        }
        stack[depth++] = static_cast<uint8_t>(walk);
        const uint8_t firstByte = static_cast<uint8_t>(walk);
        while (depth > 0)
        {
            emit(stack[--depth]);
        }
        if (nextCode < kMaxCodes)
        {
            prefix[static_cast<size_t>(nextCode)] = static_cast<uint16_t>(previous);
            suffix[static_cast<size_t>(nextCode)] = firstByte;
            first[static_cast<size_t>(nextCode)] = first[static_cast<size_t>(previous)];
            ++nextCode;
            if (nextCode == (1 << codeSize) && codeSize < kMaxCodeBits)
            {
                ++codeSize;
            }
        }
        previous = code;
    }
    return true;
}

} // namespace

ImagePtr DecodeGif(std::span<const uint8_t> file)
{
    if (file.size() < 6 ||
        (std::memcmp(file.data(), "GIF87", 5) != 0 && std::memcmp(file.data(), "GIF89", 5) != 0))
    {
        return nullptr;
    }
    ByteReader in(file);
    uint16_t screenWidth = 0, screenHeight = 0;
    uint8_t screenFlags = 0, background = 0, aspect = 0;
    if (!in.Skip(6) || !in.U16(screenWidth) || !in.U16(screenHeight) || !in.U8(screenFlags) ||
        !in.U8(background) || !in.U8(aspect))
    {
        return nullptr;
    }
    Palette palette;
    palette.fill(0xFF000000u);
    if ((screenFlags & kColourTableFlag) != 0 && !ReadColourTable(in, screenFlags, palette))
    {
        return nullptr;
    }

    int transparentIndex = -1;
    for (;;)
    {
        uint8_t introducer = 0;
        if (!in.U8(introducer) || introducer == kTrailer)
        {
            return nullptr; // no image in the file
        }
        if (introducer == kExtensionIntroducer)
        {
            uint8_t label = 0;
            if (!in.U8(label))
            {
                return nullptr;
            }
            bool firstBlock = true;
            const bool read = ReadSubBlocks(in,
                                            [&](std::span<const uint8_t> block)
                                            {
                                                if (label == kGraphicControlLabel && firstBlock &&
                                                    block.size() >= 4 && (block[0] & 1) != 0)
                                                {
                                                    transparentIndex = block[3];
                                                }
                                                firstBlock = false;
                                            });
            if (!read)
            {
                return nullptr;
            }
            continue;
        }
        if (introducer != kImageSeparator)
        {
            return nullptr;
        }
        break;
    }

    uint16_t left = 0, top = 0, width = 0, height = 0;
    uint8_t flags = 0, minCodeSize = 0;
    if (!in.U16(left) || !in.U16(top) || !in.U16(width) || !in.U16(height) || !in.U8(flags) ||
        !IsAcceptableImageSize(width, height))
    {
        return nullptr;
    }
    if ((flags & kColourTableFlag) != 0)
    {
        palette.fill(0xFF000000u);
        if (!ReadColourTable(in, flags, palette))
        {
            return nullptr;
        }
    }
    if (!in.U8(minCodeSize) || minCodeSize < 1 || minCodeSize > 11)
    {
        return nullptr;
    }
    std::vector<uint8_t> data;
    // A file cut after complete image data still holds a whole picture, so a chain that runs off
    // the end is judged by the decode alone.
    (void)ReadSubBlocks(in, [&](std::span<const uint8_t> block)
                        { data.insert(data.end(), block.begin(), block.end()); });
    // Even the best LZW stream carries fewer than about 3000 pixels per byte; refuse claims that
    // no stream of this length could make good before taking the pixel memory.
    constexpr int64_t kMaxPixelsPerByte = 4096;
    if (int64_t{width} * height >
        static_cast<int64_t>(data.size()) * kMaxPixelsPerByte + kMaxPixelsPerByte)
    {
        return nullptr;
    }
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height, 0);
    if (!DecodeLzw(data, minCodeSize, width, height, (flags & kInterlaceFlag) != 0, indices))
    {
        return nullptr;
    }
    auto image = std::make_unique<Image>(width, height);
    for (size_t i = 0; i < indices.size(); ++i)
    {
        image->bits[i] = indices[i] == transparentIndex ? 0u : palette[indices[i]];
    }
    return image;
}

} // namespace Lumo::ImageLib
