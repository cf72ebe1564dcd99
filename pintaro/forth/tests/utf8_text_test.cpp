// Which bytes count as text that editors and files keep whole.
#include <gtest/gtest.h>

#include <string>

#include "forth/utf8_text.h"

using forth::isUtf8Text;

TEST(Utf8Text, WellFormedUtf8WithoutNulIsText) {
    EXPECT_TRUE(isUtf8Text(""));
    EXPECT_TRUE(isUtf8Text("100 fd\r\n90 rt\t\\ turn\n"));
    EXPECT_TRUE(isUtf8Text("'\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\xA2 \xF4\x8F\xBF\xBF"));
}

TEST(Utf8Text, AnythingElseIsRefused) {
    const std::string_view bad[] = {
        std::string_view("a\0b", 3),  // NUL would cut the text short
        "\x80",                       // stray continuation byte
        "\xC3",                       // cut off at the end
        "\xC3(",                      // lead byte without its continuation
        "\xC0\xAF",                   // overlong '/'
        "\xE0\x80\xAF",               // overlong, three bytes
        "\xED\xA0\x80",               // a surrogate
        "\xF4\x90\x80\x80",           // beyond U+10FFFF
        "\xF8\x88\x80\x80\x80",       // five-byte form
        "\xFF",                       // never in UTF-8 (Latin-1 text, for example)
    };
    for (std::string_view b : bad) EXPECT_FALSE(isUtf8Text(b)) << testing::PrintToString(std::string(b));
}
