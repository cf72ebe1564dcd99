// Splitting text into words, the number syntax, and the number formats.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "forth/interp.h"

using forth::parseNumber;

namespace {

std::vector<std::string> texts(const forth::WordList& list) {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < list.size(); ++i) v.emplace_back(list.text(i));
    return v;
}

}  // namespace

TEST(SplitWords, SplitsAtSpaceAndControlCharacters9To13Only) {
    EXPECT_EQ(texts(forth::splitWords("  a\tb\nc\vd\fe\rf  ")),
              (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
    // Other control bytes and bytes above 127 belong to words.
    EXPECT_EQ(texts(forth::splitWords("x\x01y \xc3\xa9t\xc3\xa9")),
              (std::vector<std::string>{"x\x01y", "\xc3\xa9t\xc3\xa9"}));
    EXPECT_TRUE(forth::splitWords("").empty());
    EXPECT_TRUE(forth::splitWords(" \t\r\n ").empty());
    // A token holds its length in 24 bits: longer words are refused.
    const std::string longest(forth::limits::kMaxWordBytes, 'x');
    EXPECT_EQ(forth::splitWords("a " + longest + " b").text(1).size(), longest.size());
    try {
        forth::splitWords(longest + "x");
        FAIL();
    } catch (const forth::ScriptError& e) {
        EXPECT_STREQ(e.what(), "word too long: more than 16777215 bytes");
    }
}

TEST(ParseNumber, AcceptsTheDecimalForms) {
    EXPECT_EQ(parseNumber("-5"), -5.0);
    EXPECT_EQ(parseNumber("+5"), 5.0);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("5."), 5.0);
    EXPECT_EQ(parseNumber("5.25"), 5.25);
    EXPECT_EQ(parseNumber("1e3"), 1000.0);
    EXPECT_EQ(parseNumber("1E+3"), 1000.0);
    EXPECT_EQ(parseNumber("25e-1"), 2.5);
    EXPECT_EQ(parseNumber("1_000"), 1000.0);
    EXPECT_EQ(parseNumber("1__000_000.0_5"), 1000000.05);
    EXPECT_EQ(parseNumber("1e1_0"), 1e10);
    EXPECT_EQ(parseNumber("0.1"), 0.1);
    EXPECT_TRUE(std::signbit(parseNumber("-0")));
}

TEST(ParseNumber, AcceptsInfAndNanInAnyCaseAndNanIgnoresItsSign) {
    EXPECT_EQ(parseNumber("INF"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber("-inf"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber("+iNf"), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(parseNumber("NaN")));
    EXPECT_FALSE(std::signbit(parseNumber("-nan")));
}

TEST(ParseNumber, HugeExponentsGiveInfinityOrZero) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(parseNumber("1e400"), inf);
    EXPECT_EQ(parseNumber("-1e999"), -inf);
    EXPECT_EQ(parseNumber("1e1000"), inf);
    EXPECT_EQ(parseNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(parseNumber("-1e-1000")));
    EXPECT_EQ(parseNumber("0e99999999999999999999"), 0.0);
    EXPECT_EQ(parseNumber("0.00001e-320"), 0.0);
    EXPECT_EQ(parseNumber("4.9e-324"), 4.9e-324);
    // Exponent beyond 999 counts even when the mantissa would bring it back.
    EXPECT_EQ(parseNumber("0.001e1001"), inf);
}

TEST(ParseNumber, RejectsAnythingElseWithItsText) {
    for (const char* bad : {"1e", "1e+", "e5", "5x", "--5", "infinity", "+", "-", ".", "",
                            "_1", "1._5", "1e_5", "nan1", "0x10", "1,5", " 1", "\\x", "1.2.3",
                            "+-1", "in", "1e5.5"}) {
        try {
            parseNumber(bad);
            ADD_FAILURE() << "accepted \"" << bad << '"';
        } catch (const forth::ScriptError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("invalid float: ") + bad);
        }
    }
}

TEST(Formats, ShortFormatIsPrintfGWithPoints) {
    EXPECT_EQ(forth::formatShort(3), "3");
    EXPECT_EQ(forth::formatShort(0.5), "0.5");
    EXPECT_EQ(forth::formatShort(1.0 / 3), "0.333333");
    EXPECT_EQ(forth::formatShort(100000), "100000");
    EXPECT_EQ(forth::formatShort(1000000), "1e+06");
    EXPECT_EQ(forth::formatShort(1234567), "1.23457e+06");
    EXPECT_EQ(forth::formatShort(0.00001), "1e-05");
    EXPECT_EQ(forth::formatShort(-0.0), "-0");
    EXPECT_EQ(forth::formatShort(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(forth::formatShort(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(forth::formatShort(-std::numeric_limits<double>::quiet_NaN()), "-nan");
}

TEST(Formats, FullFormatAlwaysLooksLikeAFloat) {
    EXPECT_EQ(forth::formatFull(3), "3.0");
    EXPECT_EQ(forth::formatFull(0.1), "0.1");
    EXPECT_EQ(forth::formatFull(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(forth::formatFull(1e20), "1e+20");
    EXPECT_EQ(forth::formatFull(1000000), "1000000.0");
    EXPECT_EQ(forth::formatFull(-0.0), "-0.0");
    EXPECT_EQ(forth::formatFull(-std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(forth::formatFull(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(forth::formatFull(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(Formats, FormatsIgnoreTheLocaleDecimalComma) {
    // Only meaningful where a comma locale is installed; harmless elsewhere.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(forth::formatShort(0.5), "0.5");
        EXPECT_EQ(forth::formatFull(2.5), "2.5");
        EXPECT_EQ(parseNumber("2.5"), 2.5);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Truncation, GoesTowardZeroAndSendsNanAndOutOfRangeToTheSmallestInteger) {
    const auto min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(forth::truncateToInt64(2.9), 2);
    EXPECT_EQ(forth::truncateToInt64(-2.9), -2);
    EXPECT_EQ(forth::truncateToInt64(-0.5), 0);
    EXPECT_EQ(forth::truncateToInt64(std::nan("")), min);
    EXPECT_EQ(forth::truncateToInt64(9.3e18), min);
    EXPECT_EQ(forth::truncateToInt64(-9223372036854775808.0), min);
    EXPECT_EQ(forth::truncateToInt64(std::numeric_limits<double>::infinity()), min);
}
