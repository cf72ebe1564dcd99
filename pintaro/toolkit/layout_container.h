// A control that holds an ordered list of child controls and places them in
// one row or one column by the layout algorithm (layout_algorithm.h). The
// children's positions always come from the algorithm; it runs again
// whenever the container's size, a child, or a child's size-related
// property changes.
#pragma once

#include <vector>

#include "control.h"
#include "layout_algorithm.h"

namespace toolkit {

class LayoutContainer : public Control {
public:
    explicit LayoutContainer(Layout layout);
    ~LayoutContainer() override;

    // Appends the child. A control that already has a parent raises
    // "Control can be added only to one container." and nothing changes.
    void add(Control& child);
    // Takes the child out; a control that is not a child raises.
    void remove(Control& child);
    const std::vector<Control*>& childControls() const { return fChildControls; }

    Layout layout() const { return fLayout; }
    void setLayout(Layout layout);
    XAlign xAlign() const { return fXAlign; }
    void setXAlign(XAlign align);
    YAlign yAlign() const { return fYAlign; }
    void setYAlign(YAlign align);
    int padding() const { return fPadding; }
    void setPadding(int padding);
    int spacing() const { return fSpacing; }
    void setSpacing(int spacing);
    int scrollableWidth() const { return scrollable(layout::kX); }
    int scrollableHeight() const { return scrollable(layout::kY); }

    std::optional<int> naturalWidth() override;
    std::optional<int> naturalHeight() override;

protected:
    void arrangeChildren() override;

private:
    friend class Control;
    void forgetChild(Control* child);
    void renumber();
    layout::Box box() const;
    std::optional<int> naturalSize(int axis);

    std::vector<Control*> fChildControls;
    Layout fLayout;
    XAlign fXAlign = XAlign_Left;
    YAlign fYAlign = YAlign_Top;
    int fPadding;
    int fSpacing;
};

}  // namespace toolkit
