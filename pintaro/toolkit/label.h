// A one- or several-line text, placed inside the label's area by its text
// alignment.
#pragma once

#include <string>

#include "control.h"

namespace toolkit {

enum XTextAlign { XTextAlign_Left, XTextAlign_Right, XTextAlign_Center };
enum YTextAlign { YTextAlign_Top, YTextAlign_Bottom, YTextAlign_Center };

class Label : public Control {
public:
    explicit Label(const std::string& text);

    const std::string& text() const { return fText; }
    void setText(const std::string& text);
    XTextAlign xTextAlign() const { return fXTextAlign; }
    YTextAlign yTextAlign() const { return fYTextAlign; }
    void setTextAlign(XTextAlign x, YTextAlign y);

    // The text's extents plus the platform's padding.
    std::optional<int> naturalWidth() override;
    std::optional<int> naturalHeight() override;

protected:
    void sizeApplied() override { placeText(); }
    void contentChanged() override;

private:
    void measure();
    void placeText();

    std::string fText;
    XTextAlign fXTextAlign = XTextAlign_Left;
    YTextAlign fYTextAlign = YTextAlign_Top;
};

}  // namespace toolkit
