// A bounds-checked little-endian reader over the bytes of one file, for the image decoders.
// SPDX-License-Identifier: MIT
//
// Every read reports whether the bytes were there; nothing is ever read past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace Lumo::ImageLib
{

class ByteReader
{
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] size_t Left() const { return bytes_.size() - pos_; }
    [[nodiscard]] size_t Position() const { return pos_; }

    [[nodiscard]] bool U8(uint8_t& value)
    {
        if (Left() < 1)
        {
            return false;
        }
        value = bytes_[pos_++];
        return true;
    }

    [[nodiscard]] bool U16(uint16_t& value)
    {
        if (Left() < 2)
        {
            return false;
        }
        value = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }

    [[nodiscard]] bool U32(uint32_t& value)
    {
        if (Left() < 4)
        {
            return false;
        }
        value = static_cast<uint32_t>(bytes_[pos_]) |
                (static_cast<uint32_t>(bytes_[pos_ + 1]) << 8) |
                (static_cast<uint32_t>(bytes_[pos_ + 2]) << 16) |
                (static_cast<uint32_t>(bytes_[pos_ + 3]) << 24);
        pos_ += 4;
        return true;
    }

    [[nodiscard]] bool Skip(size_t count)
    {
        if (Left() < count)
        {
            return false;
        }
        pos_ += count;
        return true;
    }

    // A view of the next count bytes, consumed.
    [[nodiscard]] bool Take(size_t count, std::span<const uint8_t>& out)
    {
        if (Left() < count)
        {
            return false;
        }
        out = bytes_.subspan(pos_, count);
        pos_ += count;
        return true;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

} // namespace Lumo::ImageLib
