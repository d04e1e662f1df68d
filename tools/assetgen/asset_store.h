// The generated files, kept in memory by game path until they are written out.
// SPDX-License-Identifier: MIT
//
// Paths use forward slashes and are relative to the game folder
// ("images/play.png"). Every generator adds its files here; the store keeps
// them sorted by path so that the stage, the package and the contact sheet
// come out in the same order on every run. Pictures also keep their pixels
// (cairo ARGB32) for the contact sheet and the screen mock-ups.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace AssetGen
{

using Bytes = std::vector<std::uint8_t>;

class Canvas;

struct StoredPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // premultiplied, row after row
};

class AssetStore
{
public:
    // Adds or replaces a file.
    void Add(const std::string& path, Bytes data);
    void AddText(const std::string& path, const std::string& text);
    // Encodes the canvas as PNG (or JPEG when the path ends in ".jpg") and
    // remembers its pixels.
    void AddPicture(const std::string& path, const Canvas& canvas);

    [[nodiscard]] const std::map<std::string, Bytes>& Files() const { return files; }
    [[nodiscard]] const std::map<std::string, StoredPicture>& Pictures() const { return pictures; }
    [[nodiscard]] const StoredPicture* FindPicture(const std::string& path) const;

    // Writes every file below the folder, creating subfolders. Returns false
    // and names the file in `error` when one cannot be written.
    [[nodiscard]] bool WriteTree(const std::string& folder, std::string& error) const;

private:
    std::map<std::string, Bytes> files;
    std::map<std::string, StoredPicture> pictures;
};

// Writes bytes to a file through a temporary name and a rename, so that a
// failed run never leaves a torn file behind.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, const Bytes& data, std::string& error);

} // namespace AssetGen
