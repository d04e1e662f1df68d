// The command-language reader behind font descriptors: statements, values, lists and "Define".
// SPDX-License-Identifier: MIT
//
// Rules of the language:
// - Statements end at ";" outside quotes; line breaks do not end a statement.
//   A statement's line number is the line of its first character.
// - At the start of a line blanks and empty lines are skipped; a line whose
//   first other character is "#" is a comment.
// - Values are separated by blanks, line feeds and commas; "(" ... ")" is a
//   nested list. Single and double quotes group text and stay part of the
//   value until it is used as a string; a backslash keeps the next character.
// - The first value names the command (case-insensitive), the others are its
//   parameters. A bare word that is neither a number nor a quoted string is the
//   name of a "Define"d value (names are case-insensitive) and is replaced by
//   that value; an undefined bare word stays a name (layer names are such).
//
// The first error stops the parse. Derived parsers (FontData) handle the
// commands; the parser itself handles "Define". Not thread-safe: one parser is
// used by one thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Lumo
{

// One parameter of a statement.
struct DescValue
{
    enum class Kind
    {
        Number, // text as written, number parsed
        String, // quotes removed
        Name,   // bare word, upper-cased
        List,
    };
    Kind kind = Kind::Name;
    std::string text;
    int number = 0;
    std::vector<DescValue> items; // List only

    bool IsList() const { return kind == Kind::List; }
};

class DescParser
{
  public:
    DescParser() = default;
    virtual ~DescParser() = default;
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;

    // Reads the file through the package layer (mode "r") and parses it.
    // Returns false on the first error (GetErrorText says what), or when the
    // file cannot be opened (then the error text is empty and GetErrorReason
    // says so).
    [[nodiscard]] bool LoadDescriptor(const std::string& path);

    // Parses descriptor text already in memory; fileName is only used in the
    // error message. Returns false on the first error.
    [[nodiscard]] bool ParseText(std::string_view text, const std::string& fileName);

    // The full message shown to the user: "Font Descriptor Error in <file>\r\n
    // <reason>[ on Line <n>:\r\n\r\n<statement>]". Empty when no parse error.
    const std::string& GetErrorText() const { return errorText; }
    const std::string& GetErrorReason() const { return errorReason; }
    // Line of the failing statement, or -1.
    int GetErrorLine() const { return errorLine; }

    // A value created with "Define", by name (any case); null when undefined.
    const DescValue* FindDefine(std::string_view name) const;

  protected:
    // Handles one statement. command is upper-cased; params are resolved
    // (defines substituted, strings unquoted, numbers parsed). Returns false
    // after calling Fail.
    virtual bool HandleCommand(const std::string& command,
                               const std::vector<DescValue>& params) = 0;
    // Commands whose first parameter is a name being defined get it as
    // written (a Name value, not upper-cased, never substituted).
    virtual bool TakesNameFirst(const std::string& /*command*/) const { return false; }

    // Records the reason for the statement being handled; always returns false.
    bool Fail(const std::string& reason);

    // Parameter checks shared by the commands; each returns false after Fail.
    bool CheckCount(const std::vector<DescValue>& params, size_t count);
    bool GetInt(const DescValue& value, int& out);
    bool GetString(const DescValue& value, std::string& out); // String or Name
    bool GetList(const DescValue& value, const std::vector<DescValue>*& out);
    bool GetIntList(const DescValue& value, std::vector<int>& out);
    // A character given as a one-character string.
    bool GetChar(const DescValue& value, uint8_t& out);
    // A list of numbers of exactly the given length, e.g. (x, y) or a rectangle.
    bool GetInts(const DescValue& value, int* out, size_t count);

    // Binds a name to a value (the name already validated and upper-cased).
    void SetDefine(const std::string& name, DescValue value);
    // A name for "Define": not beginning with a digit, "-", "+" or a quote.
    bool CheckDefineName(const DescValue& raw, std::string& name);

    const std::string& GetFileName() const { return fileName; }

  private:
    bool ParseStatement(std::string_view statement, int line);
    bool Tokenize(std::string_view statement, std::vector<DescValue>& out);
    bool Resolve(const DescValue& raw, DescValue& out, int depth);
    bool HandleDefine(const std::vector<DescValue>& raw);
    static size_t CountValues(const DescValue& value);

    std::string fileName;
    std::map<std::string, DescValue, std::less<>> defines;
    std::string errorText;
    std::string errorReason;
    int errorLine = -1;
    std::string_view currentStatement;
    int currentLine = -1;
    size_t resolvedBudget = 0;
};

// Upper-cases ASCII letters (names, tags and layer names are compared so).
std::string ToUpperAscii(std::string_view text);

} // namespace Lumo
