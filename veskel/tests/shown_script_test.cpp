// What --script-of shows on a terminal: everything a terminal would act on
// is written visibly, everything else as it is.
#include <gtest/gtest.h>

#include "shown_script.h"

TEST(ShownScript, ControlsAreVisibleAndTextIsKept) {
    // The reproducer: a carriage return and an erase-line sequence that
    // hid the first half of the line.
    EXPECT_EQ(veskel::withControlsShown("'/dev/zero included\r\x1b[2K10 fd 90 rt 10 fd\n"),
              "'/dev/zero included^M^[[2K10 fd 90 rt 10 fd\n");
    EXPECT_EQ(veskel::withControlsShown(std::string("a\tb\0c\x7f\x08\n", 8)), "a\tb^@c^?^H\n");
    // UTF-8 text stays; C1 controls, bidirectional overrides and isolates,
    // and bytes outside UTF-8 are named.
    EXPECT_EQ(veskel::withControlsShown("'caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x90\xa2 label"),
              "'caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x90\xa2 label");
    EXPECT_EQ(veskel::withControlsShown("\xc2\x9b" "2K \xe2\x80\xae" "dr \xe2\x81\xa6x\xe2\x81\xa9"),
              "<U+009B>2K <U+202E>dr <U+2066>x<U+2069>");
    EXPECT_EQ(veskel::withControlsShown("\xff \xc3 \xc0\xaf \xed\xa0\x80 \xe2\x80"), "<0xFF> <0xC3> <0xC0><0xAF> <0xED><0xA0><0x80> <0xE2><0x80>");
}
