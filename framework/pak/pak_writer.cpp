// Writing package files in the format the package layer reads.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_writer.h"

#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumo
{

namespace
{

PakWriteResult Failure(std::string message)
{
    return {false, std::move(message)};
}

void PutLittleEndian(std::vector<uint8_t>& out, uint64_t value, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
    {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

} // namespace

PakWriteResult PakWriter::AddFile(std::string_view name, std::span<const uint8_t> bytes,
                                  uint64_t fileTime)
{
    if (name.empty() || name.size() > kPakMaxNameLength)
    {
        return Failure("package name '" + std::string(name) + "' must be 1 to 255 bytes long");
    }
    if (name.find('\0') != std::string_view::npos || name.back() == '/' || name.back() == '\\')
    {
        return Failure("package name '" + std::string(name) + "' is not a file name");
    }
    if (bytes.size() > 0xFFFFFFFFULL)
    {
        return Failure("file '" + std::string(name) + "' is too large for a package");
    }
    std::string normalised = NormalisePakName(name);
    if (normalised.empty())
    {
        return Failure("package name '" + std::string(name) + "' is not a file name");
    }
    for (const File& file : files_)
    {
        if (file.normalisedName == normalised)
        {
            return Failure("package name '" + std::string(name) + "' is already used by '" +
                           file.name + "'");
        }
    }
    files_.push_back({std::string(name), std::move(normalised),
                      std::vector<uint8_t>(bytes.begin(), bytes.end()), fileTime});
    return {true, {}};
}

PakWriteResult PakWriter::AddFileFromDisk(std::string_view name, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    struct stat info
    {
    };
    if (!in || stat(path.c_str(), &info) != 0)
    {
        return Failure("cannot read '" + path + "'");
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (in.bad())
    {
        return Failure("cannot read '" + path + "'");
    }
    return AddFile(name, bytes, PakFileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec));
}

std::vector<uint8_t> PakWriter::Serialise() const
{
    std::vector<uint8_t> out;
    PutLittleEndian(out, kPakMagic, 4);
    PutLittleEndian(out, kPakVersion, 4);
    for (const File& file : files_)
    {
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(file.name.size()));
        out.insert(out.end(), file.name.begin(), file.name.end());
        PutLittleEndian(out, file.bytes.size(), 4);
        PutLittleEndian(out, file.fileTime, 8);
    }
    out.push_back(kPakEndOfDirectoryFlag);
    for (const File& file : files_)
    {
        out.insert(out.end(), file.bytes.begin(), file.bytes.end());
    }
    for (uint8_t& b : out)
    {
        b ^= kPakXorKey;
    }
    return out;
}

PakWriteResult PakWriter::Write(const std::string& path) const
{
    const std::vector<uint8_t> bytes = Serialise();
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr)
    {
        return Failure("cannot create '" + temporary + "': " + std::strerror(errno));
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool flushed = std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !flushed || !closed)
    {
        std::remove(temporary.c_str());
        return Failure("cannot write '" + path + "'");
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return Failure("cannot write '" + path + "': " + reason);
    }
    return {true, {}};
}

} // namespace Lumo
