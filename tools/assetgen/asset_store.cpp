// In-memory store of the generated files and its writer.
// SPDX-License-Identifier: MIT
#include "tools/assetgen/asset_store.h"

#include "tools/assetgen/canvas.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace AssetGen
{

namespace
{

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr int kJpegQuality = 90;

} // namespace

void AssetStore::Add(const std::string& path, Bytes data)
{
    files[path] = std::move(data);
}

void AssetStore::AddText(const std::string& path, const std::string& text)
{
    files[path] = Bytes(text.begin(), text.end());
}

void AssetStore::AddPicture(const std::string& path, const Canvas& canvas)
{
    files[path] = EndsWith(path, ".jpg") ? canvas.EncodeJpeg(kJpegQuality) : canvas.EncodePng();
    StoredPicture pic;
    pic.width = canvas.Width();
    pic.height = canvas.Height();
    pic.argb = canvas.Pixels();
    pictures[path] = std::move(pic);
}

const StoredPicture* AssetStore::FindPicture(const std::string& path) const
{
    const auto it = pictures.find(path);
    return it == pictures.end() ? nullptr : &it->second;
}

bool WriteFileAtomically(const std::string& path, const Bytes& data, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (ec)
    {
        error = "cannot create the folder of " + path + ": " + ec.message();
        return false;
    }
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr)
    {
        error = "cannot write " + temp;
        return false;
    }
    const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed)
    {
        std::remove(temp.c_str());
        error = "cannot write " + temp;
        return false;
    }
    fs::rename(temp, path, ec);
    if (ec)
    {
        std::remove(temp.c_str());
        error = "cannot rename " + temp + ": " + ec.message();
        return false;
    }
    return true;
}

bool AssetStore::WriteTree(const std::string& folder, std::string& error) const
{
    for (const auto& [path, data] : files)
    {
        if (!WriteFileAtomically(folder + "/" + path, data, error))
        {
            return false;
        }
    }
    return true;
}

} // namespace AssetGen
