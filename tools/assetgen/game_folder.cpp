// Game folder assembly: data.pak, the loose sounds and an empty save folder.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/game_folder.h"

#include "framework/pak/pak_writer.h"

#include <filesystem>
#include <system_error>

namespace AssetGen
{

namespace
{

bool IsLooseSound(const std::string& path)
{
    return path.rfind("sounds/", 0) == 0;
}

} // namespace

bool PackData(const AssetStore& store, const std::string& pakPath, std::string& error)
{
    Lumo::PakWriter writer;
    for (const auto& [path, data] : store.Files())
    {
        if (IsLooseSound(path))
        {
            continue;
        }
        // File time 0 keeps the package the same on every run.
        const Lumo::PakWriteResult added = writer.AddFile(path, data, 0);
        if (!added)
        {
            error = "cannot pack " + path + ": " + added.error;
            return false;
        }
    }
    const Lumo::PakWriteResult written = writer.Write(pakPath);
    if (!written)
    {
        error = "cannot write " + pakPath + ": " + written.error;
        return false;
    }
    return true;
}

bool AssembleGameFolder(const AssetStore& store, const std::string& gameDir, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(gameDir) / "save", ec);
    if (ec)
    {
        error = "cannot create " + gameDir + "/save: " + ec.message();
        return false;
    }
    if (!PackData(store, gameDir + "/data.pak", error))
    {
        return false;
    }
    for (const auto& [path, data] : store.Files())
    {
        if (IsLooseSound(path) && !WriteFileAtomically(gameDir + "/" + path, data, error))
        {
            return false;
        }
    }
    return true;
}

} // namespace AssetGen
