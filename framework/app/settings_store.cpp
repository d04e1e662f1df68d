// The per-user settings store: named 32-bit integers and strings in one file.
// SPDX-License-Identifier: MIT
#include "framework/app/settings_store.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <string_view>

namespace Lumo
{

namespace
{

constexpr const char* kHeader = "SaltmereZadiSettings 1";
// Far beyond anything the game stores; a bigger file is not ours.
constexpr long kMaxFileBytes = 1 << 20;

void AppendEscaped(std::string& out, const std::string& text)
{
    for (char c : text)
    {
        switch (c)
        {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

bool Unescape(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            out += text[i];
            continue;
        }
        if (++i == text.size())
        {
            return false;
        }
        switch (text[i])
        {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

bool ParseLine(std::string_view line, std::map<std::string, SettingsStore::Value>& values)
{
    const std::size_t firstTab = line.find('\t');
    if (firstTab != 1)
    {
        return false;
    }
    const std::size_t secondTab = line.find('\t', firstTab + 1);
    if (secondTab == std::string_view::npos)
    {
        return false;
    }
    std::string name;
    if (!Unescape(line.substr(firstTab + 1, secondTab - firstTab - 1), name) || name.empty())
    {
        return false;
    }
    const std::string_view valueText = line.substr(secondTab + 1);
    if (line[0] == 'i')
    {
        std::int32_t number = 0;
        const char* end = valueText.data() + valueText.size();
        const auto [stop, error] = std::from_chars(valueText.data(), end, number);
        if (error != std::errc() || stop != end || valueText.empty())
        {
            return false;
        }
        values[name] = number;
        return true;
    }
    if (line[0] == 's')
    {
        std::string text;
        if (!Unescape(valueText, text))
        {
            return false;
        }
        values[name] = std::move(text);
        return true;
    }
    return false;
}

} // namespace

SettingsStore::SettingsStore(std::string filePath) : filePath(std::move(filePath)) {}

void SettingsStore::SetFilePath(const std::string& path)
{
    std::scoped_lock lock(mutex);
    filePath = path;
}

std::string SettingsStore::Serialize(const std::map<std::string, Value>& values)
{
    std::string text = kHeader;
    text += '\n';
    for (const auto& [name, value] : values)
    {
        text += std::holds_alternative<std::int32_t>(value) ? "i\t" : "s\t";
        AppendEscaped(text, name);
        text += '\t';
        if (const auto* number = std::get_if<std::int32_t>(&value))
        {
            text += std::to_string(*number);
        }
        else
        {
            AppendEscaped(text, std::get<std::string>(value));
        }
        text += '\n';
    }
    return text;
}

bool SettingsStore::Parse(const std::string& text, std::map<std::string, Value>& values)
{
    std::map<std::string, Value> parsed;
    std::string_view rest = text;
    bool sawHeader = false;
    while (!rest.empty())
    {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos)
        {
            return false; // every line, the last too, ends in a newline
        }
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (!sawHeader)
        {
            if (line != kHeader)
            {
                return false;
            }
            sawHeader = true;
            continue;
        }
        if (!ParseLine(line, parsed))
        {
            return false;
        }
    }
    if (!sawHeader)
    {
        return false;
    }
    values = std::move(parsed);
    return true;
}

SettingsLoadResult SettingsStore::Load()
{
    std::scoped_lock lock(mutex);
    values.clear();
    if (filePath.empty())
    {
        return SettingsLoadResult::Missing;
    }
    FILE* file = std::fopen(filePath.c_str(), "rb");
    if (file == nullptr)
    {
        return errno == ENOENT ? SettingsLoadResult::Missing : SettingsLoadResult::Corrupt;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    bool tooBig = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    {
        text.append(buffer, got);
        if (static_cast<long>(text.size()) > kMaxFileBytes)
        {
            tooBig = true;
            break;
        }
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (tooBig || readError || !Parse(text, values))
    {
        values.clear();
        return SettingsLoadResult::Corrupt;
    }
    return SettingsLoadResult::Loaded;
}

bool SettingsStore::Save() const
{
    std::string text;
    std::string path;
    {
        std::scoped_lock lock(mutex);
        if (filePath.empty())
        {
            return true;
        }
        text = Serialize(values);
        path = filePath;
    }
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        return false;
    }
    std::size_t written = 0;
    while (written < text.size())
    {
        const ssize_t now = write(fd, text.data() + written, text.size() - written);
        if (now < 0 && errno == EINTR)
        {
            continue;
        }
        if (now <= 0)
        {
            break;
        }
        written += static_cast<std::size_t>(now);
    }
    const bool complete = written == text.size() && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!complete || !closed || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<SettingsStore::Value> SettingsStore::Get(const std::string& name) const
{
    std::scoped_lock lock(mutex);
    const auto found = values.find(name);
    if (found == values.end())
    {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::int32_t> SettingsStore::GetInteger(const std::string& name) const
{
    const std::optional<Value> value = Get(name);
    if (!value || !std::holds_alternative<std::int32_t>(*value))
    {
        return std::nullopt;
    }
    return std::get<std::int32_t>(*value);
}

std::optional<std::string> SettingsStore::GetString(const std::string& name) const
{
    std::optional<Value> value = Get(name);
    if (!value || !std::holds_alternative<std::string>(*value))
    {
        return std::nullopt;
    }
    return std::get<std::string>(std::move(*value));
}

void SettingsStore::SetInteger(const std::string& name, std::int32_t value)
{
    std::scoped_lock lock(mutex);
    values[name] = value;
}

void SettingsStore::SetString(const std::string& name, const std::string& value)
{
    std::scoped_lock lock(mutex);
    values[name] = value;
}

void SettingsStore::Remove(const std::string& name)
{
    std::scoped_lock lock(mutex);
    values.erase(name);
}

void SettingsStore::Clear()
{
    std::scoped_lock lock(mutex);
    values.clear();
}

} // namespace Lumo
