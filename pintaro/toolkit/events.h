// What the layer hands to event handlers, and the handler types. Handlers
// are callables with their captured context; setting one replaces the last.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "key_codes.h"

namespace raster {
class Canvas;
}

namespace toolkit {

class Control;
class Window;

enum MouseButton { MouseButton_Left, MouseButton_Middle, MouseButton_Right };

struct KeyEvent {
    Window* window = nullptr;    // the window the key arrived in
    Control* control = nullptr;  // the focused control, or none for the window's own handler
    KeyCode key = Key_None;
    std::string text;            // what the key typed (or what an input method composed)
    char32_t unicode = 0;        // the key's Unicode code point, 0 when it has none
    bool handled = false;        // set it to stop the platform's own handling of the key
};

struct MouseEvent {
    Control* control = nullptr;
    MouseButton button = MouseButton_Left;
    int x = 0;  // inside the control
    int y = 0;
};

// The pointer moved over the control (it need not be pressed).
struct MouseMoveEvent {
    Control* control = nullptr;
    int x = 0;  // inside the control
    int y = 0;
};

// The pointer left the control.
struct MouseLeaveEvent {
    Control* control = nullptr;
};

struct ClickEvent {
    Control* control = nullptr;
};

// The control's canvas is in drawing state for the length of the handler.
struct DrawEvent {
    Control* control = nullptr;
    raster::Canvas* canvas = nullptr;
};

struct CloseClickEvent {
    Window* window = nullptr;
};

struct ResizeEvent {
    Window* window = nullptr;
};

struct DropFilesEvent {
    Window* window = nullptr;
    std::vector<std::string> files;
};

struct TextChangeEvent {
    Control* control = nullptr;
};

// A text box refused an insertion (a paste, a drop, typing) because the
// text would have grown past what the box holds; the box kept its text.
struct TextRefusedEvent {
    Control* control = nullptr;
    std::size_t length = 0;  // characters the text would have had
};

using KeyHandler = std::function<void(KeyEvent&)>;
using MouseHandler = std::function<void(MouseEvent&)>;
using MouseMoveHandler = std::function<void(MouseMoveEvent&)>;
using MouseLeaveHandler = std::function<void(MouseLeaveEvent&)>;
using ClickHandler = std::function<void(ClickEvent&)>;
using DrawHandler = std::function<void(DrawEvent&)>;
using CloseClickHandler = std::function<void(CloseClickEvent&)>;
using ResizeHandler = std::function<void(ResizeEvent&)>;
using DropFilesHandler = std::function<void(DropFilesEvent&)>;
using TextChangeHandler = std::function<void(TextChangeEvent&)>;
using TextRefusedHandler = std::function<void(TextRefusedEvent&)>;
using DisposeHandler = std::function<void(Window&)>;
// Receives the message of an error that escaped an event handler.
using ErrorHandler = std::function<void(const std::string& message)>;

}  // namespace toolkit
