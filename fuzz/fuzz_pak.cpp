// Fuzz target: package files through the whole package layer, from adding to reading every entry.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"

#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace
{

// Reads an open entry in every way the program does.
void ReadEntry(Lumo::PakInterface& pak, const std::string& name)
{
    for (const char* mode : {"rb", "rt"})
    {
        Lumo::PakHandle* handle = pak.FOpen(name.c_str(), mode);
        if (handle == nullptr)
        {
            continue;
        }
        char line[17];
        while (pak.FGetS(line, sizeof line, handle) != nullptr)
        {
        }
        pak.FSeek(handle, -3, SEEK_END);
        (void)pak.FGetC(handle);
        pak.UnGetC('x', handle);
        uint32_t words[8];
        (void)pak.FRead(words, sizeof words[0], 8, handle);
        pak.FSeek(handle, 0, SEEK_SET);
        std::vector<uint8_t> bytes;
        (void)Lumo::PakReadAll(handle, bytes);
        pak.FClose(handle);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<Lumo::PakDirectoryEntry> entries;
    const std::span<const uint8_t> file(data, size);
    if (Lumo::ReadPakDirectory(file, entries))
    {
        for (const Lumo::PakDirectoryEntry& entry : entries)
        {
            (void)Lumo::ReadPakEntryData(file, entry);
        }
    }

    // The same bytes as a package on "disk", added and read through the layer.
    const int fd = memfd_create("fuzz.pak", MFD_CLOEXEC);
    if (fd < 0)
    {
        return 0;
    }
    if (size == 0 || write(fd, data, size) == static_cast<ssize_t>(size))
    {
        Lumo::PakInterface pak;
        if (pak.AddPakFile("/proc/self/fd/" + std::to_string(fd)))
        {
            for (const std::string& name : pak.PackagedNames())
            {
                ReadEntry(pak, name);
            }
            Lumo::PakFindData findData;
            if (Lumo::PakFind* find = pak.FindFirstFile("*", &findData))
            {
                while (pak.FindNextFile(find, &findData))
                {
                }
                pak.FindClose(find);
            }
        }
    }
    close(fd);
    return 0;
}
