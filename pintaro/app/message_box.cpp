#include "message_box.h"

#include <algorithm>
#include <optional>

#include "app_limits.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "toolkit/size_modes.h"

namespace app {

using namespace toolkit;

BoxGeometry messageBoxGeometry(int labelWidth, int labelHeight, int buttonRowHeight, int parentX, int parentY,
                               int parentWidth, int parentHeight) {
    const int button = scaleToScreen(limits::kBoxButtonWidth);
    BoxGeometry g{};
    g.width = std::min(scaleToScreen(limits::kBoxMaxWidth),
                       std::max(labelWidth + scaleToScreen(limits::kBoxLabelMargin),
                                3 * button + scaleToScreen(limits::kBoxButtonsMargin)));
    g.height = std::min(scaleToScreen(limits::kBoxMaxMessageHeight), labelHeight) + buttonRowHeight +
               scaleToScreen(limits::kBoxExtraHeight);
    g.x = parentX + (parentWidth - g.width) / 2;
    g.y = parentY + (parentHeight - g.height) / 2;
    return g;
}

namespace {

// The box's widgets; the window is declared first so that it goes last,
// after the controls it shows.
struct Box {
    Window window;
    LayoutContainer column{Layout_Vertical};
    LayoutContainer messageRow{Layout_Horizontal};
    Label message;
    LayoutContainer buttonRow{Layout_Horizontal};
    std::optional<Button> buttons[3];
    Button* clickedButton = nullptr;

    explicit Box(const std::string& text) : message(text) {}
};

}  // namespace

int messageBox(Window& parent, const std::string& message, const std::string& title, const std::string& first,
               const std::string& second, const std::string& third, BoxEndKey* endKey) {
    Box box(message);
    box.window.setTitle(title);
    Window& w = box.window;
    w.setOnKeyDown([&w, endKey](KeyEvent& e) {
        // The caller's key first: it may be Escape with a modifier.
        if (endKey && endKey->test && endKey->test(e)) {
            endKey->pressed = true;
            w.dispose();
            return;
        }
        if (e.key == Key_Escape) w.dispose();
    });

    box.column.setPadding(limits::kBoxPadding);
    box.messageRow.setWidthMode(WidthMode_Expand);
    box.messageRow.setHeightMode(HeightMode_Expand);
    box.messageRow.add(box.message);
    box.buttonRow.setWidthMode(WidthMode_Expand);
    box.buttonRow.setXAlign(XAlign_Center);
    box.buttonRow.setSpacing(limits::kBoxButtonSpacing);
    box.column.add(box.messageRow);
    box.column.add(box.buttonRow);

    const std::string* labels[3] = {&first, &second, &third};
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && labels[i]->empty()) continue;
        Button& b = box.buttons[i].emplace(*labels[i]);
        b.setMinWidth(limits::kBoxButtonWidth);
        b.setOnClick([&box, &b](ClickEvent&) {
            box.clickedButton = &b;
            box.window.dispose();
        });
        box.buttonRow.add(b);
    }
    w.add(box.column);
    if (box.buttons[0]) box.buttons[0]->focus();

    const BoxGeometry g = messageBoxGeometry(*box.message.naturalWidth(), *box.message.naturalHeight(),
                                             box.buttonRow.naturalHeight().value_or(0), parent.x(), parent.y(),
                                             parent.width(), parent.height());
    // The geometry is already in screen pixels; the window scales what it is
    // given, which at the fixed resolution changes nothing.
    w.setSize(g.width, g.height);
    w.setPosition(g.x, g.y);
    w.showModal(parent);

    // Event by event: what the user types after answering waits until the
    // answer has been acted on. Ends too when the program is leaving its
    // event loop, so that a quit can never be held up by an open question.
    Application::current().runUntil([&w] { return w.disposed(); });
    if (!w.disposed()) w.dispose();

    for (int i = 0; i < 3; ++i)
        if (box.buttons[i] && box.clickedButton == &*box.buttons[i]) return i + 1;
    return 0;
}

}  // namespace app
