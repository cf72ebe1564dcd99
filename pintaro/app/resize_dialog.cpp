#include "resize_dialog.h"

#include <charconv>
#include <limits>

#include "app_limits.h"
#include "forth/errors.h"
#include "toolkit/application.h"

namespace app {

using namespace toolkit;

std::int64_t parseDecimalInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    const auto bad = [&] { return SizeInputError("invalid integer: " + std::string(text)); };
    if (digits.empty()) throw bad();
    for (char c : digits)
        if (c < '0' || c > '9') throw bad();
    // The magnitude may be one more than the largest positive value: the
    // most negative number still fits.
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (ec != std::errc() || end != digits.data() + digits.size()) throw bad();
    constexpr std::uint64_t kLargest = std::numeric_limits<std::int64_t>::max();
    if (magnitude > kLargest + (negative ? 1 : 0)) throw bad();
    if (!negative) return static_cast<std::int64_t>(magnitude);
    return magnitude == kLargest + 1 ? std::numeric_limits<std::int64_t>::min()
                                     : -static_cast<std::int64_t>(magnitude);
}

std::pair<int, int> parseImageSize(std::string_view width, std::string_view height) {
    const std::int64_t w = parseDecimalInteger(width);
    const std::int64_t h = parseDecimalInteger(height);
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    if (w < 1 || h < 1 || w > kMax || h > kMax)
        throw SizeInputError("Invalid image size " + std::to_string(w) + " x " + std::to_string(h) + ".");
    return {static_cast<int>(w), static_cast<int>(h)};
}

ResizeDialog::ResizeDialog(std::function<void(int, int)> apply) {
    window.setSize(limits::kResizeWidth, limits::kResizeHeight);

    column.setWidthMode(WidthMode_Fill);
    column.setHeightMode(HeightMode_Fill);
    sizeRow.setWidthMode(WidthMode_Fill);
    sizeRow.setYAlign(YAlign_Center);
    sizeRow.add(newSizeLabel);
    sizeRow.add(widthBox);
    sizeRow.add(timesLabel);
    sizeRow.add(heightBox);
    buttonRow.setWidthMode(WidthMode_Fill);
    buttonRow.setXAlign(XAlign_Right);
    buttonRow.add(resizeButton);
    buttonRow.add(cancelButton);
    column.add(sizeRow);
    column.add(buttonRow);
    window.add(column);

    resizeButton.setOnClick([this, apply = std::move(apply)](ClickEvent&) {
        try {
            const auto [w, h] = parseImageSize(widthBox.text(), heightBox.text());
            apply(w, h);
        } catch (const std::exception& e) {
            // Bad input must not end the program: say what is wrong and keep
            // the dialog with the user's text so it can be corrected.
            Application::current().alertBox(&window, forth::errorText(e), "Pintaro");
            return;
        }
        window.hide();
    });
    cancelButton.setOnClick([this](ClickEvent&) { window.hide(); });
    window.setOnCloseClick([this](CloseClickEvent&) { window.hide(); });
}

void ResizeDialog::open(int width, int height) {
    widthBox.setText(std::to_string(width));
    heightBox.setText(std::to_string(height));
    // Ready for typing a new width, however the dialog was left last time;
    // focused before showing, which handles keys already typed.
    widthBox.focus();
    window.show();
}

}  // namespace app
