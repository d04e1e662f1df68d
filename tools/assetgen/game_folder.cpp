// Game folder assembly.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/game_folder.h"

#include <filesystem>
#include <system_error>

namespace AssetGen
{

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
    // Until the package writer is in, everything is served as loose files:
    // the package layer falls back to the file system for them.
    return store.WriteTree(gameDir, error);
}

} // namespace AssetGen
