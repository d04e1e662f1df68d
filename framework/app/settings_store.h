// The per-user settings store: named 32-bit integers and strings in one file.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - The file is text: a header line, then one value a line as
//   "i<TAB>name<TAB>decimal" or "s<TAB>name<TAB>text", with backslash escapes
//   for backslash, tab, carriage return and newline in names and texts.
// - A file that is missing, unreadable or damaged anywhere counts as empty, so
//   every value takes its default; it is replaced whole on the next save.
// - Saving writes a temporary file beside the real one and renames it into
//   place, so a crash never leaves a torn file.
// - All operations are safe from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>

namespace Lumo
{

enum class SettingsLoadResult
{
    Loaded,
    Missing,
    Corrupt,
};

class SettingsStore
{
public:
    using Value = std::variant<std::int32_t, std::string>;

    // An empty path keeps the values in memory only.
    explicit SettingsStore(std::string filePath = "");

    const std::string& GetFilePath() const { return filePath; }
    // Points the store at another file; the values in memory stay.
    void SetFilePath(const std::string& path);

    // Replaces the values in memory by the file's; see the module rules.
    SettingsLoadResult Load();
    // Writes every value. Returns false when the file could not be replaced
    // (the old file then stays as it was).
    [[nodiscard]] bool Save() const;

    std::optional<std::int32_t> GetInteger(const std::string& name) const;
    std::optional<std::string> GetString(const std::string& name) const;
    std::optional<Value> Get(const std::string& name) const;
    void SetInteger(const std::string& name, std::int32_t value);
    void SetString(const std::string& name, const std::string& value);
    void Remove(const std::string& name);
    void Clear();

    // The file's text for the values, and back. Parse returns false, leaving
    // values untouched, when any line is damaged.
    static std::string Serialize(const std::map<std::string, Value>& values);
    [[nodiscard]] static bool Parse(const std::string& text, std::map<std::string, Value>& values);

private:
    std::string filePath;
    mutable std::mutex mutex;
    std::map<std::string, Value> values;
};

} // namespace Lumo
