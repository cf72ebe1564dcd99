// The "Resize image" dialog: two fields for the new width and height, and
// the buttons "Resize" and "Cancel". Created once, hidden and shown again;
// it is not modal.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "toolkit/text_box.h"
#include "toolkit/window.h"

namespace app {

// Input the dialog cannot use; the message is shown as it stands.
struct SizeInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A decimal integer: an optional sign, then digits, nothing else (no
// spaces). Raises "invalid integer: " followed by the text otherwise, and
// for numbers beyond 64 bits.
std::int64_t parseDecimalInteger(std::string_view text);

// Both fields as an image size. Raises the parse error of the first bad
// field, or "Invalid image size W x H." for a size below 1 or beyond what an
// image can have.
std::pair<int, int> parseImageSize(std::string_view width, std::string_view height);

struct ResizeDialog {
    // The window first: it goes last, after the controls it shows.
    toolkit::Window window{"Resize image"};
    toolkit::LayoutContainer column{toolkit::Layout_Vertical};
    toolkit::LayoutContainer sizeRow{toolkit::Layout_Horizontal};
    toolkit::Label newSizeLabel{"New size: "};
    toolkit::TextBox widthBox;
    toolkit::Label timesLabel{" x "};
    toolkit::TextBox heightBox;
    toolkit::LayoutContainer buttonRow{toolkit::Layout_Horizontal};
    toolkit::Button resizeButton{"Resize"};
    toolkit::Button cancelButton{"Cancel"};

    // Builds the hidden dialog. `apply` receives a parsed size; whatever it
    // raises, like a parse error, is shown in an alert titled "Pintaro" and
    // the dialog stays open with its fields. When it returns, the dialog hides.
    explicit ResizeDialog(std::function<void(int width, int height)> apply);

    // Writes the size into the fields and shows the dialog.
    void open(int width, int height);
};

}  // namespace app
