// Reading the directory of a package file.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_format.h"

#include "framework/pak/pak_interface.h"

namespace Lumo
{

namespace
{

// A cursor over the stored bytes that decodes as it reads and refuses to pass the end.
class StoredReader
{
  public:
    explicit StoredReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] size_t Position() const { return pos_; }

    [[nodiscard]] bool Byte(uint8_t& value)
    {
        if (pos_ >= bytes_.size())
        {
            return false;
        }
        value = bytes_[pos_++] ^ kPakXorKey;
        return true;
    }

    template <typename T> [[nodiscard]] bool LittleEndian(T& value)
    {
        value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
        {
            uint8_t b = 0;
            if (!Byte(b))
            {
                return false;
            }
            value |= static_cast<T>(static_cast<T>(b) << (8 * i));
        }
        return true;
    }

    [[nodiscard]] bool Text(size_t length, std::string& text)
    {
        if (bytes_.size() - pos_ < length)
        {
            return false;
        }
        text.resize(length);
        for (size_t i = 0; i < length; ++i)
        {
            text[i] = static_cast<char>(bytes_[pos_ + i] ^ kPakXorKey);
        }
        pos_ += length;
        return true;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Smallest directory entry: flags, name length, one name byte, size and file time.
constexpr size_t kMinEntryBytes = 1 + 1 + 1 + 4 + 8;

bool ReadDirectory(std::span<const uint8_t> file, std::vector<PakDirectoryEntry>& entries)
{
    StoredReader reader(file);
    uint32_t magic = 0;
    uint32_t version = 0;
    if (!reader.LittleEndian(magic) || !reader.LittleEndian(version) || magic != kPakMagic ||
        version != kPakVersion)
    {
        return false;
    }
    size_t dataBytes = 0;
    for (;;)
    {
        uint8_t flags = 0;
        if (!reader.Byte(flags))
        {
            return false; // the file ends before the end flag
        }
        if ((flags & kPakEndOfDirectoryFlag) != 0)
        {
            break;
        }
        if (file.size() - reader.Position() < kMinEntryBytes - 1)
        {
            return false;
        }
        uint8_t nameLength = 0;
        PakDirectoryEntry entry;
        uint32_t size = 0;
        if (!reader.Byte(nameLength) || nameLength == 0 || !reader.Text(nameLength, entry.name) ||
            !reader.LittleEndian(size) || !reader.LittleEndian(entry.fileTime))
        {
            return false;
        }
        if (entry.name.find('\0') != std::string::npos)
        {
            return false;
        }
        entry.size = size;
        entry.startPos = dataBytes; // relative to the end of the directory until it is known
        dataBytes += size;
        if (dataBytes > file.size())
        {
            return false;
        }
        entries.push_back(std::move(entry));
    }
    const size_t directoryLength = reader.Position();
    if (file.size() - directoryLength < dataBytes)
    {
        return false; // data cut short
    }
    for (PakDirectoryEntry& entry : entries)
    {
        entry.startPos += directoryLength;
    }
    return true;
}

} // namespace

uint64_t PakFileTimeFromUnix(int64_t seconds, int64_t nanoseconds)
{
    constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
    const int64_t since1601 = seconds + kSecondsFrom1601To1970;
    if (since1601 < 0)
    {
        return 0;
    }
    return static_cast<uint64_t>(since1601) * 10000000ULL +
           static_cast<uint64_t>(nanoseconds) / 100;
}

bool ReadPakDirectory(std::span<const uint8_t> file, std::vector<PakDirectoryEntry>& entries)
{
    entries.clear();
    if (!ReadDirectory(file, entries))
    {
        entries.clear();
        return false;
    }
    return true;
}

std::vector<uint8_t> ReadPakEntryData(std::span<const uint8_t> file, const PakDirectoryEntry& entry)
{
    std::vector<uint8_t> data;
    if (entry.startPos > file.size() || file.size() - entry.startPos < entry.size)
    {
        return data;
    }
    data.resize(entry.size);
    for (size_t i = 0; i < entry.size; ++i)
    {
        data[i] = file[entry.startPos + i] ^ kPakXorKey;
    }
    return data;
}

} // namespace Lumo
