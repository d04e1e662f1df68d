// Tests of the descriptor reader: statements, comments, quotes, lists, defines and error messages.
// SPDX-License-Identifier: MIT
#include "framework/fonts/desc_parser.h"

#include <gtest/gtest.h>

namespace
{

// Writes every statement it is given as one line of text.
class RecordingParser : public Lumo::DescParser
{
  public:
    std::vector<std::string> statements;

  protected:
    bool HandleCommand(const std::string& command,
                       const std::vector<Lumo::DescValue>& params) override
    {
        if (command == "FAIL")
        {
            return Fail("Unknown Command");
        }
        std::string line = command;
        for (const Lumo::DescValue& value : params)
        {
            line += ' ' + Render(value);
        }
        statements.push_back(line);
        return true;
    }

  private:
    static std::string Render(const Lumo::DescValue& value)
    {
        switch (value.kind)
        {
        case Lumo::DescValue::Kind::Number:
            return "N" + std::to_string(value.number);
        case Lumo::DescValue::Kind::String:
            return "S[" + value.text + "]";
        case Lumo::DescValue::Kind::Name:
            return "ID[" + value.text + "]";
        case Lumo::DescValue::Kind::List:
            break;
        }
        std::string text = "(";
        for (size_t i = 0; i < value.items.size(); ++i)
        {
            text += (i ? "," : "") + Render(value.items[i]);
        }
        return text + ")";
    }
};

struct TokenCase
{
    const char* name;
    const char* text;
    std::vector<std::string> statements;
};

TEST(FontDescriptorTokenizer, SplitsStatementsAndValues)
{
    const TokenCase cases[] = {
        {"simple", "CreateLayer Main;", {"CREATELAYER ID[MAIN]"}},
        {"no final semicolon", "a 1; b 2", {"A N1", "B N2"}},
        {"line breaks do not end statements",
         "LayerSetHeight\n  Main\n  20;",
         {"LAYERSETHEIGHT ID[MAIN] N20"}},
        {"commas, tabs and blanks separate", "x 1,2\t3 ,4;", {"X N1 N2 N3 N4"}},
        {"carriage returns dropped", "x\r\n 1;\r\n", {"X N1"}},
        {"comment lines", "# a comment; not a statement\n  # indented comment\nx 1;", {"X N1"}},
        {"hash inside a line is text", "x a#b;", {"X ID[A#B]"}},
        {"empty statements", ";;\n;x;", {"X"}},
        {"hex and signs", "x 0x1F -3 +4 0X10;", {"X N31 N-3 N4 N16"}},
        {"nested lists", "x (1, (2 3), ());", {"X (N1,(N2,N3),())"}},
        {"list after list", "x (1)(2);", {"X (N1) (N2)"}},
        {"double quotes", "x \"a b; c\";", {"X S[a b; c]"}},
        {"single quotes", "x 'it''s';", {"X S[it's]"}},
        {"each quote literal in the other", "x \"'\" '\"';", {"X S['] S[\"]"}},
        {"backslash in quotes", R"(x "a\"b" '\'';)", {"X S[a\"b] S[']"}},
        {"backslash outside quotes", R"(x a\,b \;;)", {"X ID[A,B] ID[;]"}},
        {"quote inside a word", "x ab\"c d\";", {"X ID[AB\"C D\"]"}},
        {"command any case", "LaYeR 1;", {"LAYER N1"}},
    };
    for (const TokenCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingParser parser;
        ASSERT_TRUE(parser.ParseText(c.text, "t.txt")) << parser.GetErrorText();
        EXPECT_EQ(parser.statements, c.statements);
    }
}

TEST(FontDescriptorTokenizer, DefinesAreSubstitutedCaseInsensitively)
{
    RecordingParser parser;
    ASSERT_TRUE(parser.ParseText("Define Size 14;\n"
                                 "define pair (size, 'x');\n"
                                 "Define Nested (PAIR, Pair);\n"
                                 "x size Pair nested Undefined;\n"
                                 "Define size 15; x SIZE;",
                                 "t.txt"))
        << parser.GetErrorText();
    const std::vector<std::string> expected = {
        "X N14 (N14,S[x]) ((N14,S[x]),(N14,S[x])) ID[UNDEFINED]", "X N15"};
    EXPECT_EQ(parser.statements, expected);
    ASSERT_NE(parser.FindDefine("pair"), nullptr);
    EXPECT_TRUE(parser.FindDefine("PAIR")->IsList());
}

struct ErrorCase
{
    const char* name;
    const char* text;
    const char* reason;
    int line;
};

TEST(FontDescriptorTokenizer, ReportsErrorsWithTheirLine)
{
    const ErrorCase cases[] = {
        {"list start after a value", "x 1\ny(2);", "Unexpected List Start", 1},
        {"list end without list", "\n\nx 1);", "Unexpected List End", 3},
        {"unterminated single quotes", "x 1;\n y 'abc;\nz;", "Unterminated Single Quotes", 2},
        {"unterminated double quotes", "x \"abc", "Unterminated Double Quotes", 1},
        {"statement starting with a list", "(1 2) x;", "Missing Command", 1},
        {"unclosed list", "x (1 2;", "Unterminated List", 1},
        {"define count", "Define A;", "Invalid Number of Parameters", 1},
        {"define name a number", "Define 1A 2;", "Invalid Paramater Type", 1},
        {"define name signed", "Define -A 2;", "Invalid Paramater Type", 1},
        {"define name quoted", "Define 'A' 2;", "Invalid Paramater Type", 1},
        {"define name a list", "Define (A) 2;", "Invalid Paramater Type", 1},
        {"bad number", "x 12abc;", "Invalid Paramater Type", 1},
        {"number out of range", "x 4294967296;", "Invalid Paramater Type", 1},
        {"handler failure", "x 1;\n\n  fail 2;", "Unknown Command", 3},
        {"lists nested too deep",
         "x ((((((((((((((((((((((((((((((((((1))))))))))))))))))))))))))))))))));",
         "Unexpected List Start", 1},
    };
    for (const ErrorCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingParser parser;
        EXPECT_FALSE(parser.ParseText(c.text, "t.txt"));
        EXPECT_EQ(parser.GetErrorReason(), c.reason);
        EXPECT_EQ(parser.GetErrorLine(), c.line);
    }
}

TEST(FontDescriptorTokenizer, ErrorMessageNamesFileLineAndStatement)
{
    RecordingParser parser;
    EXPECT_FALSE(parser.ParseText("x 1;\n# note\n  fail\n 2 ;", "fonts/a_BosaNova14.txt"));
    EXPECT_EQ(parser.GetErrorText(), "Font Descriptor Error in fonts/a_BosaNova14.txt\r\n"
                                     "Unknown Command on Line 3:\r\n\r\nfail\n2");
    // Blanks at line starts are dropped; the first error stops the parse.
    EXPECT_EQ(parser.statements.size(), 1u);
}

TEST(FontDescriptorTokenizer, GeometricDefinesAreBounded)
{
    // Each define doubles the one before; the parse must stop, not exhaust memory.
    std::string text = "Define A0 (1,1,1,1,1,1,1,1);";
    for (int i = 1; i < 40; ++i)
    {
        text += "Define A" + std::to_string(i) + " (A" + std::to_string(i - 1) + ",A" +
                std::to_string(i - 1) + ");";
    }
    RecordingParser parser;
    EXPECT_FALSE(parser.ParseText(text, "t.txt"));
    EXPECT_EQ(parser.GetErrorReason(), "Invalid Paramater Type");
}

} // namespace
