// Key codes: 16-bit numbers naming the keys the layer reports. Letters are
// their upper-case ASCII code, printable keys mostly their character, and
// the special keys count up from 1000.
#pragma once

#include <cstdint>

namespace toolkit {

using KeyCode = std::uint16_t;

enum Key : KeyCode {
    Key_None = 0,
    Key_Backspace = 8, Key_Tab = 9, Key_Return = 13, Key_Pause = 19, Key_CapsLock = 20, Key_Escape = 27,
    Key_Space = 32, Key_ExclamationMark = 33, Key_DoubleQuotes = 34, Key_NumberSign = 35, Key_Dollar = 36,
    Key_Percent = 37, Key_Ampersand = 38, Key_OpenParen = 40, Key_CloseParen = 41, Key_Plus = 43,
    Key_Comma = 44, Key_Minus = 45, Key_Point = 46, Key_Divide = 47,
    Key_Number0 = 48, Key_Number1, Key_Number2, Key_Number3, Key_Number4,
    Key_Number5, Key_Number6, Key_Number7, Key_Number8, Key_Number9,
    Key_Less = 60, Key_Equal = 61, Key_Greater = 62, Key_QuestionMark = 63, Key_AtSign = 64,
    Key_A = 65, Key_B, Key_C, Key_D, Key_E, Key_F, Key_G, Key_H, Key_I, Key_J, Key_K, Key_L, Key_M,
    Key_N, Key_O, Key_P, Key_Q, Key_R, Key_S, Key_T, Key_U, Key_V, Key_W, Key_X, Key_Y, Key_Z,
    Key_SuperL = 91, Key_SuperR = 92, Key_ContextMenu = 93,
    Key_Circumflex = 94,
    Key_Numpad0 = 96, Key_Numpad1, Key_Numpad2, Key_Numpad3, Key_Numpad4,
    Key_Numpad5, Key_Numpad6, Key_Numpad7, Key_Numpad8, Key_Numpad9,
    Key_NumpadMultiply = 106, Key_NumpadAdd, Key_NumpadSeparator, Key_NumpadSubtract,
    Key_NumpadDecimal, Key_NumpadDivide,
    Key_F1 = 112, Key_F2, Key_F3, Key_F4, Key_F5, Key_F6, Key_F7, Key_F8, Key_F9, Key_F10, Key_F11, Key_F12,
    Key_F13, Key_F14, Key_F15, Key_F16, Key_F17, Key_F18, Key_F19, Key_F20, Key_F21, Key_F22, Key_F23, Key_F24,
    Key_NumLock = 144, Key_ScrollLock = 145,
    Key_AE = 196, Key_OE = 214, Key_UE = 220, Key_SharpS = 223,
    Key_Insert = 1000, Key_Delete, Key_Left, Key_Right, Key_Up, Key_Down, Key_Home, Key_End,
    Key_PageUp, Key_PageDown,
    Key_ControlL = 1010, Key_ControlR, Key_AltL, Key_AltR, Key_ShiftL, Key_ShiftR,
    Key_Print = 1016, Key_NumpadEnter = 1017, Key_AltGr = 1018,
};

// A run of platform key values (GDK keysyms) that map onto a run of codes:
// keyval first + i gives code + i for i up to last - first.
struct KeyRange {
    unsigned first;
    unsigned last;
    KeyCode code;
};

// The mapping table, in the order of the key-code list.
extern const KeyRange kKeyTable[];
extern const unsigned kKeyTableSize;

// The key code of a platform key value; a value not in the table maps to
// itself, cut to its low 16 bits.
KeyCode keyCodeFromKeyval(unsigned keyval);

}  // namespace toolkit
