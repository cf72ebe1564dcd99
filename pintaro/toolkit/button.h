// A native push button with a text; its click handler runs on activation.
#pragma once

#include <string>

#include "control.h"

namespace toolkit {

class Button : public Control {
public:
    explicit Button(const std::string& text);

    const std::string& text() const { return fText; }
    void setText(const std::string& text);

    // Raises "NativeButton does not allow onDraw."
    void setOnDraw(DrawHandler handler) override;
    std::optional<int> naturalWidth() override;
    std::optional<int> naturalHeight() override;

private:
    static void onClicked(GtkWidget*, void* self);
    void measure();

    std::string fText;
};

}  // namespace toolkit
