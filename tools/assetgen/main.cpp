// assetgen: makes every picture, font, sound and effect file of the game from
// code and assembles the game folder.
// SPDX-License-Identifier: MIT
//
//   assetgen --stage DIR [--game DIR]   generate into DIR, then assemble the game folder
//   assetgen --contact-sheet OUT.png    every picture on one sheet, with its path
//   assetgen --mockups DIR              a few screens put together from the pictures
#include "tools/assetgen/font_book.h"
#include "tools/assetgen/game_folder.h"
#include "tools/assetgen/generators.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: assetgen --stage DIR [--game DIR]\n"
                         "       assetgen --contact-sheet OUT.png\n"
                         "       assetgen --mockups DIR\n");
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "assetgen: %s\n", message.c_str());
    return 1;
}

// The parts run one after another, each into its own store, merged in a
// fixed order. (cairo keeps process-wide pools whose atomics a thread
// checker cannot see; one thread keeps the generator simple to check, and
// the whole run takes a few seconds of processor time.)
bool GenerateAll(AssetGen::AssetStore& store, bool withFontsAndSounds, std::string& error)
{
    AssetGen::GenerateObjects(store);
    AssetGen::GenerateInterface(store);
    AssetGen::GenerateEffects(store);
    AssetGen::GenerateScenes(store);
    if (!withFontsAndSounds)
    {
        return true;
    }
    return AssetGen::GenerateSounds(store, error) && AssetGen::GenerateFonts(store, error);
}

} // namespace

int main(int argc, char** argv)
{
    std::string stageDir;
    std::string gameDir;
    std::string sheetPath;
    std::string mockupDir;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--stage" && hasValue)
        {
            stageDir = args[++i];
        }
        else if (a == "--game" && hasValue)
        {
            gameDir = args[++i];
        }
        else if (a == "--contact-sheet" && hasValue)
        {
            sheetPath = args[++i];
        }
        else if (a == "--mockups" && hasValue)
        {
            mockupDir = args[++i];
        }
        else
        {
            std::fprintf(stderr, "assetgen: unknown or incomplete option '%s'\n", a.c_str());
            return Usage();
        }
    }
    if (stageDir.empty() && sheetPath.empty() && mockupDir.empty())
    {
        return Usage();
    }

    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!AssetGen::FontBook::Open(error))
    {
        return Fail(error);
    }
    AssetGen::AssetStore store;
    if (!GenerateAll(store, !stageDir.empty(), error))
    {
        AssetGen::FontBook::Close();
        return Fail(error);
    }
    if (!sheetPath.empty() && !AssetGen::WriteContactSheet(store, sheetPath, error))
    {
        AssetGen::FontBook::Close();
        return Fail(error);
    }
    if (!mockupDir.empty() && !AssetGen::WriteScreenMockups(store, mockupDir, error))
    {
        AssetGen::FontBook::Close();
        return Fail(error);
    }
    if (!stageDir.empty())
    {
        if (!store.WriteTree(stageDir, error))
        {
            AssetGen::FontBook::Close();
            return Fail(error);
        }
        if (!gameDir.empty() && !AssetGen::AssembleGameFolder(store, gameDir, error))
        {
            AssetGen::FontBook::Close();
            return Fail(error);
        }
    }
    AssetGen::FontBook::Close();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %zu files in %.1f s\n", store.Files().size(), seconds);
    return 0;
}
