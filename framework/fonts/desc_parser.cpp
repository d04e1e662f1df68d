// The command-language reader behind font descriptors.
// SPDX-License-Identifier: MIT
#include "framework/fonts/desc_parser.h"

#include "framework/pak/pak_interface.h"

#include <cctype>
#include <climits>
#include <cstdio>

namespace Lumo
{

namespace
{

// Deeper nesting than this is no descriptor anyone writes; refusing it keeps
// hostile files from exhausting the stack.
constexpr int kMaxListDepth = 32;
// Values copied by "Define" substitution can grow geometrically; this bounds
// the work and memory of one parse.
constexpr size_t kMaxResolvedValues = size_t{1} << 18;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == ',';
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool StartsNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+';
}

// Decimal or "0x" hexadecimal, optionally signed, within int range.
bool ParseNumber(std::string_view text, int& out)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
    {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
    {
        return false;
    }
    long long value = 0;
    for (; i < text.size(); ++i)
    {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
        {
            digit = c - '0';
        }
        else if (base == 16 && c >= 'a' && c <= 'f')
        {
            digit = c - 'a' + 10;
        }
        else if (base == 16 && c >= 'A' && c <= 'F')
        {
            digit = c - 'A' + 10;
        }
        else
        {
            return false;
        }
        value = value * base + digit;
        if (value > static_cast<long long>(INT_MAX) + 1)
        {
            return false;
        }
    }
    if (negative)
    {
        value = -value;
    }
    if (value > INT_MAX || value < INT_MIN)
    {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

// Removes the quotes of a quoted word: the opening quote character written
// twice stands for itself and a backslash keeps the next character.
std::string Unquote(std::string_view word)
{
    std::string out;
    const char quote = word[0];
    size_t i = 1;
    for (; i < word.size(); ++i)
    {
        const char c = word[i];
        if (c == '\\' && i + 1 < word.size())
        {
            out += word[++i];
        }
        else if (c == quote)
        {
            if (i + 1 < word.size() && word[i + 1] == quote)
            {
                out += quote;
                ++i;
            }
            else
            {
                ++i;
                break;
            }
        }
        else
        {
            out += c;
        }
    }
    out.append(word.substr(std::min(i, word.size())));
    return out;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n'))
    {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
    {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string ToUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
    {
        if (c >= 'a' && c <= 'z')
        {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

bool DescParser::LoadDescriptor(const std::string& path)
{
    const PakFilePtr file(PakFOpen(path.c_str(), "r"));
    if (file == nullptr)
    {
        errorText.clear();
        errorReason = "cannot open " + path;
        errorLine = -1;
        return false;
    }
    std::string text;
    for (int c = PakFGetC(file.get()); c != EOF; c = PakFGetC(file.get()))
    {
        text += static_cast<char>(c);
    }
    return ParseText(text, path);
}

bool DescParser::ParseText(std::string_view text, const std::string& name)
{
    fileName = name;
    errorText.clear();
    errorReason.clear();
    errorLine = -1;
    resolvedBudget = kMaxResolvedValues;

    std::string statement;
    int line = 1;
    int statementLine = 0; // 0 until the statement's first character
    bool atLineStart = true;
    char quote = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        if (c == '\r')
        {
            continue;
        }
        if (atLineStart && quote == 0)
        {
            if (IsBlank(c))
            {
                continue;
            }
            if (c == '\n')
            {
                ++line;
                continue;
            }
            if (c == '#')
            {
                while (i + 1 < text.size() && text[i + 1] != '\n')
                {
                    ++i;
                }
                continue;
            }
            atLineStart = false;
        }
        if (c == '\n')
        {
            ++line;
            atLineStart = quote == 0;
            statement += c;
            continue;
        }
        if (quote == 0 && c == ';')
        {
            if (statementLine != 0 && !ParseStatement(statement, statementLine))
            {
                return false;
            }
            statement.clear();
            statementLine = 0;
            continue;
        }
        if (statementLine == 0 && !IsBlank(c))
        {
            statementLine = line;
        }
        statement += c;
        if (c == '\\' && i + 1 < text.size())
        {
            // The escaped character can be neither a terminator nor a quote.
            const char next = text[++i];
            statement += next;
            if (next == '\n')
            {
                ++line;
            }
            continue;
        }
        if (IsQuote(c))
        {
            if (quote == 0)
            {
                quote = c;
            }
            else if (quote == c)
            {
                quote = 0;
            }
        }
    }
    // A last statement without ";" still counts.
    if (statementLine != 0 && !Trim(statement).empty())
    {
        return ParseStatement(statement, statementLine);
    }
    return true;
}

bool DescParser::ParseStatement(std::string_view statement, int line)
{
    currentStatement = Trim(statement);
    currentLine = line;
    if (currentStatement.empty())
    {
        return true;
    }
    std::vector<DescValue> raw;
    if (!Tokenize(currentStatement, raw))
    {
        return false;
    }
    if (raw.empty())
    {
        return true;
    }
    if (raw[0].IsList())
    {
        return Fail("Missing Command");
    }
    const std::string command = ToUpperAscii(raw[0].text);
    raw.erase(raw.begin());
    if (command == "DEFINE")
    {
        return HandleDefine(raw);
    }
    std::vector<DescValue> params(raw.size());
    const size_t first = TakesNameFirst(command) && !raw.empty() ? 1 : 0;
    if (first == 1)
    {
        params[0] = std::move(raw[0]);
    }
    for (size_t i = first; i < raw.size(); ++i)
    {
        if (!Resolve(raw[i], params[i], 0))
        {
            return false;
        }
    }
    return HandleCommand(command, params);
}

// Splits a statement into words and nested lists. Words keep their quotes
// (Resolve removes them); outside quotes a backslash is dropped and the
// character after it taken literally.
bool DescParser::Tokenize(std::string_view statement, std::vector<DescValue>& out)
{
    std::vector<std::vector<DescValue>> stack(1);
    std::string word;
    bool haveWord = false;
    char quote = 0;
    auto flush = [&]
    {
        if (haveWord)
        {
            DescValue value;
            value.kind = DescValue::Kind::Name;
            value.text = std::move(word);
            stack.back().push_back(std::move(value));
            word.clear();
            haveWord = false;
        }
    };
    for (size_t i = 0; i < statement.size(); ++i)
    {
        const char c = statement[i];
        if (quote != 0)
        {
            word += c;
            if (c == '\\' && i + 1 < statement.size())
            {
                word += statement[++i];
            }
            else if (c == quote)
            {
                quote = 0;
            }
            continue;
        }
        if (IsSeparator(c))
        {
            flush();
        }
        else if (c == '\\')
        {
            if (i + 1 < statement.size())
            {
                word += statement[++i];
                haveWord = true;
            }
        }
        else if (IsQuote(c))
        {
            quote = c;
            word += c;
            haveWord = true;
        }
        else if (c == '(')
        {
            if (haveWord || stack.size() > kMaxListDepth)
            {
                return Fail("Unexpected List Start");
            }
            stack.emplace_back();
        }
        else if (c == ')')
        {
            flush();
            if (stack.size() == 1)
            {
                return Fail("Unexpected List End");
            }
            DescValue list;
            list.kind = DescValue::Kind::List;
            list.items = std::move(stack.back());
            stack.pop_back();
            stack.back().push_back(std::move(list));
        }
        else
        {
            word += c;
            haveWord = true;
        }
    }
    if (quote != 0)
    {
        return Fail(quote == '\'' ? "Unterminated Single Quotes" : "Unterminated Double Quotes");
    }
    flush();
    if (stack.size() != 1)
    {
        return Fail("Unterminated List");
    }
    out = std::move(stack[0]);
    return true;
}

bool DescParser::Resolve(const DescValue& raw, DescValue& out, int depth)
{
    if (resolvedBudget == 0 || depth > kMaxListDepth)
    {
        return Fail("Invalid Paramater Type");
    }
    --resolvedBudget;
    if (raw.IsList())
    {
        out.kind = DescValue::Kind::List;
        out.items.resize(raw.items.size());
        for (size_t i = 0; i < raw.items.size(); ++i)
        {
            if (!Resolve(raw.items[i], out.items[i], depth + 1))
            {
                return false;
            }
        }
        return true;
    }
    const std::string& word = raw.text;
    if (StartsNumber(word[0]))
    {
        out.kind = DescValue::Kind::Number;
        out.text = word;
        if (!ParseNumber(word, out.number))
        {
            return Fail("Invalid Paramater Type");
        }
        return true;
    }
    if (IsQuote(word[0]))
    {
        out.kind = DescValue::Kind::String;
        out.text = Unquote(word);
        return true;
    }
    std::string name = ToUpperAscii(word);
    if (const DescValue* defined = FindDefine(name))
    {
        // Defined values are stored resolved; copying one counts its size.
        const size_t size = CountValues(*defined);
        if (size > resolvedBudget)
        {
            return Fail("Invalid Paramater Type");
        }
        resolvedBudget -= size;
        out = *defined;
        return true;
    }
    out.kind = DescValue::Kind::Name;
    out.text = std::move(name);
    return true;
}

size_t DescParser::CountValues(const DescValue& value)
{
    size_t count = 1;
    for (const DescValue& item : value.items)
    {
        count += CountValues(item);
    }
    return count;
}

bool DescParser::CheckDefineName(const DescValue& raw, std::string& name)
{
    if (raw.IsList() || StartsNumber(raw.text[0]) || IsQuote(raw.text[0]))
    {
        return Fail("Invalid Paramater Type");
    }
    name = ToUpperAscii(raw.text);
    return true;
}

bool DescParser::HandleDefine(const std::vector<DescValue>& raw)
{
    if (!CheckCount(raw, 2))
    {
        return false;
    }
    std::string name;
    DescValue value;
    if (!CheckDefineName(raw[0], name) || !Resolve(raw[1], value, 0))
    {
        return false;
    }
    SetDefine(name, std::move(value));
    return true;
}

void DescParser::SetDefine(const std::string& name, DescValue value)
{
    defines[name] = std::move(value);
}

const DescValue* DescParser::FindDefine(std::string_view name) const
{
    const auto found = defines.find(ToUpperAscii(name));
    return found == defines.end() ? nullptr : &found->second;
}

bool DescParser::Fail(const std::string& reason)
{
    errorReason = reason;
    errorLine = currentLine;
    errorText = "Font Descriptor Error in " + fileName + "\r\n" + reason;
    if (currentLine >= 0)
    {
        char lineText[32];
        std::snprintf(lineText, sizeof lineText, "%d:\r\n\r\n", currentLine);
        errorText += " on Line ";
        errorText += lineText;
        errorText += currentStatement;
    }
    return false;
}

bool DescParser::CheckCount(const std::vector<DescValue>& params, size_t count)
{
    return params.size() == count || Fail("Invalid Number of Parameters");
}

bool DescParser::GetInt(const DescValue& value, int& out)
{
    if (value.kind != DescValue::Kind::Number)
    {
        return Fail("Invalid Paramater Type");
    }
    out = value.number;
    return true;
}

bool DescParser::GetString(const DescValue& value, std::string& out)
{
    if (value.kind != DescValue::Kind::String && value.kind != DescValue::Kind::Name)
    {
        return Fail("Invalid Paramater Type");
    }
    out = value.text;
    return true;
}

bool DescParser::GetList(const DescValue& value, const std::vector<DescValue>*& out)
{
    if (!value.IsList())
    {
        return Fail("Invalid Paramater Type");
    }
    out = &value.items;
    return true;
}

bool DescParser::GetIntList(const DescValue& value, std::vector<int>& out)
{
    const std::vector<DescValue>* items = nullptr;
    if (!GetList(value, items))
    {
        return false;
    }
    out.resize(items->size());
    for (size_t i = 0; i < items->size(); ++i)
    {
        if (!GetInt((*items)[i], out[i]))
        {
            return false;
        }
    }
    return true;
}

bool DescParser::GetChar(const DescValue& value, uint8_t& out)
{
    if (value.kind != DescValue::Kind::String || value.text.size() != 1)
    {
        return Fail("Invalid Paramater Type");
    }
    out = static_cast<uint8_t>(value.text[0]);
    return true;
}

bool DescParser::GetInts(const DescValue& value, int* out, size_t count)
{
    const std::vector<DescValue>* items = nullptr;
    if (!GetList(value, items))
    {
        return false;
    }
    if (items->size() != count)
    {
        return Fail("Invalid Paramater Type");
    }
    for (size_t i = 0; i < count; ++i)
    {
        if (!GetInt((*items)[i], out[i]))
        {
            return false;
        }
    }
    return true;
}

} // namespace Lumo
