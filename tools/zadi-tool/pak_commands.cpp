// zadi-tool's "pak" commands: make a package from a folder, list one, print one of its files.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_format.h"
#include "framework/pak/pak_interface.h"
#include "framework/pak/pak_writer.h"
#include "tools/zadi-tool/commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ZadiTool
{

namespace
{

namespace fs = std::filesystem;

struct LoadedPak
{
    std::vector<uint8_t> bytes;
    std::vector<Lumo::PakDirectoryEntry> entries;
};

// Reads and checks a whole package; prints the error and returns false when it cannot.
bool LoadPak(const std::string& path, LoadedPak& pak, int& exitCode)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
    {
        exitCode = Fail(kExitFailed, "cannot open '" + path + "': no such file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    pak.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
    {
        exitCode = Fail(kExitFailed, "cannot read '" + path + "'");
        return false;
    }
    if (!Lumo::ReadPakDirectory(pak.bytes, pak.entries))
    {
        exitCode =
            Fail(kExitFailed, "'" + path + "' is not a valid package (damaged or unknown version)");
        return false;
    }
    return true;
}

int CreatePak(const std::string& outPath, const std::string& dirPath)
{
    std::error_code error;
    if (!fs::is_directory(dirPath, error))
    {
        return Fail(kExitFailed, "'" + dirPath + "' is not a folder");
    }
    const fs::path root = fs::path(dirPath);
    const fs::path outAbsolute = fs::weakly_canonical(outPath, error);
    std::vector<std::pair<std::string, fs::path>> files;
    fs::recursive_directory_iterator it(root, fs::directory_options::follow_directory_symlink,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error))
    {
        if (!it->is_regular_file(error))
        {
            continue;
        }
        std::error_code same;
        if (fs::equivalent(it->path(), outAbsolute, same))
        {
            continue; // the package being replaced is not part of itself
        }
        files.emplace_back(it->path().lexically_relative(root).generic_string(), it->path());
    }
    if (error)
    {
        return Fail(kExitFailed, "cannot list '" + dirPath + "': " + error.message());
    }
    std::sort(files.begin(), files.end());

    Lumo::PakWriter writer;
    for (const auto& [name, path] : files)
    {
        if (const Lumo::PakWriteResult added = writer.AddFileFromDisk(name, path.string()); !added)
        {
            return Fail(kExitFailed, added.error);
        }
    }
    if (const Lumo::PakWriteResult written = writer.Write(outPath); !written)
    {
        return Fail(kExitFailed, written.error);
    }
    std::printf("%zu files written to %s\n", writer.FileCount(), outPath.c_str());
    return kExitOk;
}

int ListPak(const std::string& path)
{
    LoadedPak pak;
    int exitCode = kExitOk;
    if (!LoadPak(path, pak, exitCode))
    {
        return exitCode;
    }
    for (const Lumo::PakDirectoryEntry& entry : pak.entries)
    {
        std::printf("%10zu  %s\n", entry.size, entry.name.c_str());
    }
    return kExitOk;
}

int CatPak(const std::string& path, const std::string& name)
{
    LoadedPak pak;
    int exitCode = kExitOk;
    if (!LoadPak(path, pak, exitCode))
    {
        return exitCode;
    }
    // The last entry of a name wins, as it does when the game opens it.
    const std::string wanted = Lumo::NormalisePakName(name);
    const auto found = std::find_if(pak.entries.rbegin(), pak.entries.rend(),
                                    [&](const auto& entry)
                                    { return Lumo::NormalisePakName(entry.name) == wanted; });
    if (found == pak.entries.rend())
    {
        return Fail(kExitFailed, "no file '" + name + "' in '" + path + "'");
    }
    const std::vector<uint8_t> data = Lumo::ReadPakEntryData(pak.bytes, *found);
    if (std::fwrite(data.data(), 1, data.size(), stdout) != data.size() || std::fflush(stdout) != 0)
    {
        return Fail(kExitFailed, "cannot write to standard output");
    }
    return kExitOk;
}

} // namespace

int RunPakCommand(const Args& args)
{
    const std::string sub = args.empty() ? std::string() : args[0];
    if (sub == "create" && args.size() == 3)
    {
        return CreatePak(args[1], args[2]);
    }
    if (sub == "list" && args.size() == 2)
    {
        return ListPak(args[1]);
    }
    if (sub == "cat" && args.size() == 3)
    {
        return CatPak(args[1], args[2]);
    }
    return Fail(kExitUsage, "usage: zadi-tool pak create OUT.pak DIR | pak list FILE.pak | "
                            "pak cat FILE.pak NAME");
}

} // namespace ZadiTool
