// Facts about the key-code table: platform key values (GDK keysyms) in,
// the layer's codes out.
#include <gtest/gtest.h>

#include <gdk/gdkkeysyms.h>

#include "toolkit/key_codes.h"

namespace {

using namespace toolkit;

struct Row {
    unsigned keyval;
    KeyCode code;
};

void expectRows(std::initializer_list<Row> rows) {
    for (const Row& r : rows)
        EXPECT_EQ(keyCodeFromKeyval(r.keyval), r.code) << "keyval 0x" << std::hex << r.keyval;
}

TEST(KeyCodes, ControlKeysOfTheAsciiRange) {
    expectRows({{GDK_KEY_BackSpace, Key_Backspace}, {GDK_KEY_Tab, Key_Tab}, {GDK_KEY_Return, Key_Return},
                {GDK_KEY_Pause, Key_Pause}, {GDK_KEY_Caps_Lock, Key_CapsLock}, {GDK_KEY_Escape, Key_Escape}});
}

TEST(KeyCodes, PrintableCharactersKeepTheirCode) {
    for (unsigned c = 32; c <= 64; ++c) {
        if (c == 39 || c == 42 || c == 58 || c == 59) continue;
        EXPECT_EQ(keyCodeFromKeyval(c), c) << "character " << c;
    }
}

TEST(KeyCodes, FivePrintableCharactersShareACodeWithTheirNeighbour) {
    expectRows({{GDK_KEY_apostrophe, Key_NumberSign},
                {GDK_KEY_asterisk, Key_Plus},
                {GDK_KEY_colon, Key_Point},
                {GDK_KEY_semicolon, Key_Comma},
                {GDK_KEY_underscore, Key_Minus}});
}

TEST(KeyCodes, LettersOfEitherCaseGiveTheUpperCaseCode) {
    for (unsigned i = 0; i < 26; ++i) {
        EXPECT_EQ(keyCodeFromKeyval(GDK_KEY_A + i), 65 + i);
        EXPECT_EQ(keyCodeFromKeyval(GDK_KEY_a + i), 65 + i);
    }
}

TEST(KeyCodes, SuperMenuAndDeadCircumflex) {
    expectRows({{GDK_KEY_Super_L, Key_SuperL}, {GDK_KEY_Super_R, Key_SuperR}, {GDK_KEY_Menu, Key_ContextMenu},
                {GDK_KEY_dead_circumflex, Key_Circumflex}});
}

TEST(KeyCodes, NumericKeypad) {
    for (unsigned i = 0; i < 10; ++i) EXPECT_EQ(keyCodeFromKeyval(GDK_KEY_KP_0 + i), 96 + i);
    expectRows({{GDK_KEY_KP_Multiply, Key_NumpadMultiply}, {GDK_KEY_KP_Add, Key_NumpadAdd},
                {GDK_KEY_KP_Separator, Key_NumpadSeparator}, {GDK_KEY_KP_Subtract, Key_NumpadSubtract},
                {GDK_KEY_KP_Decimal, Key_NumpadDecimal}, {GDK_KEY_KP_Divide, Key_NumpadDivide},
                {GDK_KEY_KP_Enter, Key_NumpadEnter}});
}

TEST(KeyCodes, FunctionKeysOneToTwentyFour) {
    for (unsigned i = 0; i < 24; ++i) EXPECT_EQ(keyCodeFromKeyval(GDK_KEY_F1 + i), 112 + i);
}

TEST(KeyCodes, LockKeysAndGermanLetters) {
    expectRows({{GDK_KEY_Num_Lock, Key_NumLock}, {GDK_KEY_Scroll_Lock, Key_ScrollLock},
                {GDK_KEY_Adiaeresis, Key_AE}, {GDK_KEY_adiaeresis, Key_AE},
                {GDK_KEY_Odiaeresis, Key_OE}, {GDK_KEY_odiaeresis, Key_OE},
                {GDK_KEY_Udiaeresis, Key_UE}, {GDK_KEY_udiaeresis, Key_UE}, {GDK_KEY_ssharp, Key_SharpS}});
}

TEST(KeyCodes, EditingAndCursorKeysFromOneThousand) {
    expectRows({{GDK_KEY_Insert, 1000}, {GDK_KEY_Delete, 1001}, {GDK_KEY_Left, 1002}, {GDK_KEY_Right, 1003},
                {GDK_KEY_Up, 1004}, {GDK_KEY_Down, 1005}, {GDK_KEY_Home, 1006}, {GDK_KEY_End, 1007},
                {GDK_KEY_Page_Up, 1008}, {GDK_KEY_Page_Down, 1009}});
}

TEST(KeyCodes, ModifiersPrintAndAltGr) {
    expectRows({{GDK_KEY_Control_L, 1010}, {GDK_KEY_Control_R, 1011}, {GDK_KEY_Alt_L, 1012},
                {GDK_KEY_Alt_R, 1013}, {GDK_KEY_Shift_L, 1014}, {GDK_KEY_Shift_R, 1015},
                {GDK_KEY_Print, 1016}, {GDK_KEY_ISO_Level3_Shift, 1018}});
}

TEST(KeyCodes, AValueNotListedMapsToItsLowSixteenBits) {
    expectRows({{GDK_KEY_bracketleft, 91},          // shares the number of Key_SuperL
                {GDK_KEY_grave, 96},                // and this one Key_Numpad0
                {GDK_KEY_KP_Home, 0xff95},
                {GDK_KEY_dead_acute, 0xfe51},
                {GDK_KEY_EuroSign, 0x20ac},
                {0x1000000 + 0x263a, 0x263a},       // a Unicode keysym
                {0x10000, 0}});                     // cut down to nothing: Key_None
}

TEST(KeyCodes, NoPlatformValueIsClaimedByTwoRows) {
    for (unsigned i = 0; i < kKeyTableSize; ++i) {
        EXPECT_LE(kKeyTable[i].first, kKeyTable[i].last);
        for (unsigned j = i + 1; j < kKeyTableSize; ++j)
            EXPECT_TRUE(kKeyTable[i].last < kKeyTable[j].first || kKeyTable[j].last < kKeyTable[i].first)
                << "rows " << i << " and " << j;
    }
}

}  // namespace
