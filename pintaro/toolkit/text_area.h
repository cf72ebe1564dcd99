// A native several-line text editor with scroll bars shown when needed.
#pragma once

#include <string>

#include "control.h"
#include "popup_menu.h"

namespace toolkit {

class TextArea : public Control {
public:
    explicit TextArea(const std::string& text = "");

    std::string text() const;  // kept in the platform widget
    // The text updates below end by handling pending events, so that the
    // change shows at once even while a long handler runs.
    void setText(const std::string& text);
    void addText(const std::string& text);
    void addLine(const std::string& text);  // the text and a line feed
    void scrollToBottom();
    // Selects the characters from `start` up to `end` (offsets counted in
    // characters, kept inside the text) and scrolls the start into view.
    void select(int start, int end);
    // The cursor's offset in characters.
    int cursor() const;
    // Replaces the characters from `start` up to `end` (kept inside the
    // text) with `text`; the cursor goes after it.
    void replace(int start, int end, const std::string& text);
    // Adds the menu's entries to the area's own right-click menu; the menu
    // must outlive the area's use of it.
    void addToContextMenu(PopupMenu& menu);
    // Numbers each line in a column at the left; off at first.
    bool lineNumbers() const { return fLineNumbers; }
    void setLineNumbers(bool shown);
    bool editable() const { return fEditable; }
    void setEditable(bool editable);
    bool wrap() const { return fWrap; }
    void setWrap(bool wrap);
    void setOnTextChange(TextChangeHandler handler) { fOnTextChange = std::move(handler); }

    // Raises "NativeTextArea does not allow onDraw."
    void setOnDraw(DrawHandler handler) override;

private:
    static void onChanged(void* buffer, void* self);
    static void onPopulatePopup(void* view, void* popup, void* self);
    static int onDrawLineNumbers(GtkWidget* view, cairo_t* cr, void* self);

    bool fEditable = true;
    bool fWrap = false;
    TextChangeHandler fOnTextChange;
    PopupMenu* fContextMenu = nullptr;
    bool fLineNumbers = false;
    bool fLineNumbersConnected = false;
};

}  // namespace toolkit
