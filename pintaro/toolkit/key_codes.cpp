#include "key_codes.h"

#include <gdk/gdkkeysyms.h>

#include <iterator>

namespace toolkit {

const KeyRange kKeyTable[] = {
    {GDK_KEY_BackSpace, GDK_KEY_BackSpace, Key_Backspace},
    {GDK_KEY_Tab, GDK_KEY_Tab, Key_Tab},
    {GDK_KEY_Return, GDK_KEY_Return, Key_Return},
    {GDK_KEY_Pause, GDK_KEY_Pause, Key_Pause},
    {GDK_KEY_Caps_Lock, GDK_KEY_Caps_Lock, Key_CapsLock},
    {GDK_KEY_Escape, GDK_KEY_Escape, Key_Escape},
    // Printable characters keep their code, except for the few that share
    // a key with another one on the layouts this table was made for.
    {GDK_KEY_space, GDK_KEY_ampersand, Key_Space},
    {GDK_KEY_apostrophe, GDK_KEY_apostrophe, Key_NumberSign},
    {GDK_KEY_parenleft, GDK_KEY_parenright, Key_OpenParen},
    {GDK_KEY_asterisk, GDK_KEY_asterisk, Key_Plus},
    {GDK_KEY_plus, GDK_KEY_9, Key_Plus},
    {GDK_KEY_colon, GDK_KEY_colon, Key_Point},
    {GDK_KEY_semicolon, GDK_KEY_semicolon, Key_Comma},
    {GDK_KEY_less, GDK_KEY_at, Key_Less},
    {GDK_KEY_underscore, GDK_KEY_underscore, Key_Minus},
    {GDK_KEY_A, GDK_KEY_Z, Key_A},
    {GDK_KEY_a, GDK_KEY_z, Key_A},
    {GDK_KEY_Super_L, GDK_KEY_Super_L, Key_SuperL},
    {GDK_KEY_Super_R, GDK_KEY_Super_R, Key_SuperR},
    {GDK_KEY_Menu, GDK_KEY_Menu, Key_ContextMenu},
    {GDK_KEY_dead_circumflex, GDK_KEY_dead_circumflex, Key_Circumflex},
    {GDK_KEY_KP_0, GDK_KEY_KP_9, Key_Numpad0},
    {GDK_KEY_KP_Multiply, GDK_KEY_KP_Divide, Key_NumpadMultiply},
    {GDK_KEY_F1, GDK_KEY_F24, Key_F1},
    {GDK_KEY_Num_Lock, GDK_KEY_Num_Lock, Key_NumLock},
    {GDK_KEY_Scroll_Lock, GDK_KEY_Scroll_Lock, Key_ScrollLock},
    {GDK_KEY_Adiaeresis, GDK_KEY_Adiaeresis, Key_AE},
    {GDK_KEY_adiaeresis, GDK_KEY_adiaeresis, Key_AE},
    {GDK_KEY_Odiaeresis, GDK_KEY_Odiaeresis, Key_OE},
    {GDK_KEY_odiaeresis, GDK_KEY_odiaeresis, Key_OE},
    {GDK_KEY_Udiaeresis, GDK_KEY_Udiaeresis, Key_UE},
    {GDK_KEY_udiaeresis, GDK_KEY_udiaeresis, Key_UE},
    {GDK_KEY_ssharp, GDK_KEY_ssharp, Key_SharpS},
    {GDK_KEY_Insert, GDK_KEY_Insert, Key_Insert},
    {GDK_KEY_Delete, GDK_KEY_Delete, Key_Delete},
    {GDK_KEY_Left, GDK_KEY_Left, Key_Left},
    {GDK_KEY_Right, GDK_KEY_Right, Key_Right},
    {GDK_KEY_Up, GDK_KEY_Up, Key_Up},
    {GDK_KEY_Down, GDK_KEY_Down, Key_Down},
    {GDK_KEY_Home, GDK_KEY_Home, Key_Home},
    {GDK_KEY_End, GDK_KEY_End, Key_End},
    {GDK_KEY_Page_Up, GDK_KEY_Page_Up, Key_PageUp},
    {GDK_KEY_Page_Down, GDK_KEY_Page_Down, Key_PageDown},
    {GDK_KEY_Control_L, GDK_KEY_Control_L, Key_ControlL},
    {GDK_KEY_Control_R, GDK_KEY_Control_R, Key_ControlR},
    {GDK_KEY_Alt_L, GDK_KEY_Alt_L, Key_AltL},
    {GDK_KEY_Alt_R, GDK_KEY_Alt_R, Key_AltR},
    {GDK_KEY_Shift_L, GDK_KEY_Shift_L, Key_ShiftL},
    {GDK_KEY_Shift_R, GDK_KEY_Shift_R, Key_ShiftR},
    {GDK_KEY_Print, GDK_KEY_Print, Key_Print},
    {GDK_KEY_KP_Enter, GDK_KEY_KP_Enter, Key_NumpadEnter},
    {GDK_KEY_ISO_Level3_Shift, GDK_KEY_ISO_Level3_Shift, Key_AltGr},
};
const unsigned kKeyTableSize = std::size(kKeyTable);

KeyCode keyCodeFromKeyval(unsigned keyval) {
    for (const KeyRange& r : kKeyTable)
        if (keyval >= r.first && keyval <= r.last) return static_cast<KeyCode>(r.code + (keyval - r.first));
    return static_cast<KeyCode>(keyval & 0xffff);
}

}  // namespace toolkit
