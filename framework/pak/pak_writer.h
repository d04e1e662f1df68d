// Writing package files in the format the package layer reads.
// SPDX-License-Identifier: MIT
//
// Rules of the module: files are stored in the order they were added, under the name given (either
// separator); two names that the package layer would see as the same file are refused. Write puts
// the whole package into a temporary file beside the target and renames it into place, so the
// target is either the old file or the complete new one, never a torn one.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Lumo
{

struct [[nodiscard]] PakWriteResult
{
    bool ok = false;
    std::string error; // one line, empty on success

    explicit operator bool() const { return ok; }
};

class PakWriter
{
  public:
    // Adds a file. Fails (and adds nothing) for an empty or over-long name (more than 255 bytes),
    // a name that ends in a separator, a name already added, or data of 4 GiB or more.
    // fileTime is in 100-nanosecond units since 1601-01-01; 0 keeps a package reproducible.
    PakWriteResult AddFile(std::string_view name, std::span<const uint8_t> bytes,
                           uint64_t fileTime = 0);
    // Reads a file from disk and adds it under name, stamped with its modification time.
    PakWriteResult AddFileFromDisk(std::string_view name, const std::string& path);

    // The whole package as it is stored.
    [[nodiscard]] std::vector<uint8_t> Serialise() const;
    // Writes the package to path (replacing it).
    PakWriteResult Write(const std::string& path) const;

    [[nodiscard]] size_t FileCount() const { return files_.size(); }

  private:
    struct File
    {
        std::string name;
        std::string normalisedName;
        std::vector<uint8_t> bytes;
        uint64_t fileTime = 0;
    };
    std::vector<File> files_;
};

} // namespace Lumo
