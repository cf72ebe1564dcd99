// A native one-line text field.
#pragma once

#include <string>

#include "control.h"

namespace toolkit {

class TextBox : public Control {
public:
    explicit TextBox(const std::string& text = "");

    std::string text() const;  // kept in the platform widget
    // Sets the text and handles pending events so that it shows at once.
    void setText(const std::string& text);
    // The cursor's offset in characters.
    int cursor() const;
    // Replaces the characters from `start` up to `end` with `text`; the
    // cursor goes after it.
    void replace(int start, int end, const std::string& text);
    bool editable() const { return fEditable; }
    void setEditable(bool editable);
    void setOnTextChange(TextChangeHandler handler) { fOnTextChange = std::move(handler); }
    // The box holds at most limits::kTextBoxMaxChars characters. An
    // insertion that would make it longer is refused whole, never cut, and
    // this handler hears of it.
    void setOnTextRefused(TextRefusedHandler handler) { fOnTextRefused = std::move(handler); }

    // Raises "NativeTextBox does not allow onDraw."
    void setOnDraw(DrawHandler handler) override;
    std::optional<int> naturalWidth() override;
    std::optional<int> naturalHeight() override;

private:
    static void onChanged(GtkWidget*, void* self);
    static void onInsertText(GtkWidget*, const char* text, int length, int* position, void* self);
    void measure();

    bool fEditable = true;
    TextChangeHandler fOnTextChange;
    TextRefusedHandler fOnTextRefused;
};

}  // namespace toolkit
