// Reading the directory of a package file.
// SPDX-License-Identifier: MIT
//
// Rules of the module: every stored byte of a package is XOR kPakXorKey; integers are
// little-endian. A directory is accepted only whole: the magic and version 0 must match, every
// entry must be complete with a non-empty name, an end flag must come before the file ends, and
// every entry's data must lie inside the file. Nothing here allocates more than the file itself
// justifies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Lumo
{

struct PakDirectoryEntry
{
    std::string name;      // as written, either separator
    uint64_t fileTime = 0; // 100-nanosecond units since 1601-01-01
    size_t startPos = 0;   // offset of the data within the package file
    size_t size = 0;
};

// A file's modification time as the package stores it (100-nanosecond units since 1601-01-01).
[[nodiscard]] uint64_t PakFileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

// Decodes the directory of a whole package file held in memory. False when the package is damaged
// or not a package; entries is then empty.
[[nodiscard]] bool ReadPakDirectory(std::span<const uint8_t> file,
                                    std::vector<PakDirectoryEntry>& entries);

// Copies the decoded data of one entry out of the package file it was read from.
[[nodiscard]] std::vector<uint8_t> ReadPakEntryData(std::span<const uint8_t> file,
                                                    const PakDirectoryEntry& entry);

} // namespace Lumo
