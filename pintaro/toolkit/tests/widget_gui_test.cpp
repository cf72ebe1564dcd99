// Facts about the widget layer, seen in real windows under Xvfb. Input
// comes from xdotool through the X server; results are read back from the
// layer, from the platform's allocations and from screen pixels.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "toolkit/after_first_paint.h"
#include "toolkit/button.h"
#include "raster/canvas.h"
#include "raster/raster_error.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/gtk_api.h"
#include "toolkit/gtk_loader.h"
#include "gui_support.h"
#include "toolkit/label.h"
#include "toolkit/text_area.h"
#include "toolkit/text_box.h"
#include "toolkit/toolkit_error.h"

using namespace toolkit;
using gui::app;
using gui::keysTo;
using gui::pumpUntil;
using gui::xdo;

namespace {

// Every test starts with no keys held and no error handler.
class Gui : public testing::Test {
protected:
    void SetUp() override {
        app->clearPressedKeys();
        app->setErrorHandler(nullptr);
    }
    void TearDown() override { app->setErrorHandler(nullptr); }
};

struct Allocation {
    int x, y, w, h;
};
Allocation allocationOf(Control& c) {
    GtkAllocation a{};
    gtk().gtk_widget_get_allocation(c.platformWidget(), &a);
    return {a.x, a.y, a.width, a.height};
}

// Shows the window and waits until it is on the screen and the platform
// has given its content the window's size.
void showAndSettle(Window& w) {
    w.show();
    ASSERT_TRUE(pumpUntil("\"" + w.title() + "\" on the screen", [&] { return gui::showing(w.title()); }));
    if (!w.control()) return;
    ASSERT_TRUE(pumpUntil(
        "the content of \"" + w.title() + "\" laid out at the window's size",
        [&] {
            const Allocation a = allocationOf(*w.control());
            return std::make_pair(a.w, a.h);
        },
        [&](const std::pair<int, int>& seen) {
            return seen.first == w.control()->width() && seen.second == w.control()->height();
        }));
}

// Runs the X11 helper (exact key presses, window close requests).
void helper(const std::string& args) { gui::run(std::string(X11_HELPER) + " " + args); }

std::string windowId(const std::string& title) {
    std::string out;
    if (FILE* p = popen(("xdotool search --name '^" + title + "$' | head -1").c_str(), "r")) {
        char buf[64];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

// ---------------------------------------------------------------- windows

TEST_F(Gui, ANewWindowHasTheDefaults) {
    Window w;
    EXPECT_EQ(w.title(), "widget_gui_tests") << "the program file's name without extension";
    EXPECT_EQ(w.width(), 640);
    EXPECT_EQ(w.height(), 480);
    EXPECT_TRUE(w.resizable());
    EXPECT_FALSE(w.visible());
    Window titled("Given");
    EXPECT_EQ(titled.title(), "Given");
    EXPECT_EQ(app->windows().size(), 2u);
}

TEST_F(Gui, AFirstShowCentresTheWindowOnTheWorkArea) {
    Window w("Centred");
    w.setSize(300, 201);
    w.show();
    auto position = [&] { return std::make_pair(w.x(), w.y()); };
    // The Xvfb screen is 1280 x 1024 and has no panels.
    EXPECT_TRUE(gui::pumpUntil("the window's position", position, [](const std::pair<int, int>& p) {
        return p == std::make_pair((1280 - 300) / 2, (1024 - 201) / 2);
    }));
    w.hide();
    w.setPosition(10, 20);
    w.show();
    EXPECT_TRUE(pumpUntil("the position given", position, [](const std::pair<int, int>& p) {
        return p == std::make_pair(10, 20);
    }));
}

TEST_F(Gui, AWindowTakesOneControlOnly) {
    Window w("One");
    Control a, b;
    w.add(a);
    try {
        w.add(b);
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "Window can have only one control.");
    }
    EXPECT_EQ(b.parentWindow(), nullptr);
}

TEST_F(Gui, DisposingRunsTheHandlerAndLeavesTheList) {
    Window w("Disposed");
    int disposed = 0;
    w.setOnDispose([&](Window&) { ++disposed; });
    const auto before = app->windows().size();
    app->setQuitOnLastWindowDisposed(false);
    w.dispose();
    w.dispose();
    app->setQuitOnLastWindowDisposed(true);
    EXPECT_EQ(disposed, 1);
    EXPECT_TRUE(w.disposed());
    EXPECT_EQ(app->windows().size(), before - 1);
    EXPECT_THROW(w.show(), ToolkitError);
}

TEST_F(Gui, DisposingTheLastWindowEndsTheEventLoop) {
    ASSERT_TRUE(app->windows().empty());
    Window w("Last");
    w.setOnKeyDown([&](KeyEvent&) { w.dispose(); });
    showAndSettle(w);
    // Nothing handles events before the loop runs, so the key waits for it.
    keysTo("Last", "key Escape");
    app->run();  // returns only through the quit of the last dispose
    EXPECT_FALSE(app->running());
    EXPECT_TRUE(w.disposed());
}

TEST_F(Gui, AQuitAskedBeforeTheLoopRunsEndsItAtOnce) {
    Window w("Early");
    showAndSettle(w);
    app->quit();
    app->run();  // would wait for events for ever
    EXPECT_FALSE(app->running());
    // Only that one run is ended: the next waits for its own quit.
    keysTo("Early", "key Escape");
    w.setOnKeyDown([&](KeyEvent&) { app->quit(); });
    app->run();
    EXPECT_FALSE(app->running());
}

TEST_F(Gui, AWaitBeforeTheLoopRunsHandlesEventsUntilItsStateIsReached) {
    // As a question asked by a key handled while the first window is shown.
    Window w("Waiting");
    std::vector<KeyCode> keys;
    w.setOnKeyDown([&](KeyEvent& e) { keys.push_back(e.key); });
    showAndSettle(w);
    keysTo("Waiting", "key a b");
    app->runUntil([&] { return !keys.empty(); });
    EXPECT_EQ(keys, std::vector<KeyCode>{Key_A}) << "the next key waits for the loop";
    EXPECT_TRUE(pumpUntil("the second key", [&] { return keys.size(); }, [](std::size_t n) { return n == 2; }));
}

TEST_F(Gui, TheCloseButtonCallsTheCloseHandlerOrDisposes) {
    Window w("Closing");
    int closeClicks = 0;
    w.setOnCloseClick([&](CloseClickEvent& e) {
        EXPECT_EQ(e.window, &w);
        ++closeClicks;
    });
    showAndSettle(w);
    helper("close " + windowId("Closing"));
    ASSERT_TRUE(pumpUntil("one close click", [&] { return closeClicks; }, [](int n) { return n == 1; }));
    EXPECT_FALSE(w.disposed()) << "the handler replaces the default close";

    Window other("Other");  // keeps the application from quitting
    w.setOnCloseClick(nullptr);
    helper("close " + windowId("Closing"));
    ASSERT_TRUE(pumpUntil("the window disposed", [&] { return w.disposed(); }));
}

TEST_F(Gui, ResizingTheWindowLaysOutAgainAndCallsTheResizeHandler) {
    Window w("Resized");
    LayoutContainer root(Layout_Vertical);
    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    w.add(root);
    int resizes = 0;
    w.setOnResize([&](ResizeEvent&) { ++resizes; });
    w.setSize(300, 200);
    showAndSettle(w);
    EXPECT_EQ(root.width(), 300);
    w.setSize(420, 260);
    ASSERT_TRUE(pumpUntil(
        "the content's allocation after the resize",
        [&] { return std::make_pair(allocationOf(root).w, allocationOf(root).h); },
        [](const std::pair<int, int>& a) { return a == std::make_pair(420, 260); }));
    EXPECT_EQ(root.width(), 420);
    EXPECT_EQ(root.height(), 260);
    EXPECT_GT(resizes, 0);
}

// ---------------------------------------------------------------- layout

TEST_F(Gui, ARowAndColumnWindowHasTheSizesAndPositionsOfTheAlgorithm) {
    Window w("Layout");
    LayoutContainer root(Layout_Vertical), toolbar(Layout_Horizontal);
    Button newButton("New"), openButton("Open"), about("About");
    Label status("Status");
    Control view;
    TextBox command;
    root.setWidthMode(WidthMode_Fill);
    root.setHeightMode(HeightMode_Fill);
    toolbar.setWidthMode(WidthMode_Fill);
    status.setWidthMode(WidthMode_Fill);
    status.setHeightMode(HeightMode_Fill);
    status.setTextAlign(XTextAlign_Center, YTextAlign_Center);
    view.setWidthMode(WidthMode_Fill);
    view.setHeightMode(HeightMode_Fill);
    command.setWidthMode(WidthMode_Fill);
    w.add(root);
    root.add(toolbar);
    root.add(view);
    root.add(command);
    toolbar.add(newButton);
    toolbar.add(openButton);
    toolbar.add(status);
    toolbar.add(about);
    w.setSize(500, 300);
    showAndSettle(w);

    const int buttonHeight = *newButton.naturalHeight();
    EXPECT_EQ(root.x(), 0);
    EXPECT_EQ(root.width(), 500);
    EXPECT_EQ(root.height(), 300);
    EXPECT_EQ(toolbar.x(), 2);
    EXPECT_EQ(toolbar.y(), 2);
    EXPECT_EQ(toolbar.width(), 496);
    EXPECT_EQ(toolbar.height(), buttonHeight + 4);
    EXPECT_EQ(newButton.x(), 2);
    EXPECT_EQ(openButton.x(), 2 + newButton.width() + 4);
    EXPECT_EQ(status.x(), openButton.x() + openButton.width() + 4);
    EXPECT_EQ(about.x() + about.width(), 496 - 2) << "About sits at the right end";
    EXPECT_EQ(status.height(), buttonHeight);
    EXPECT_EQ(command.y() + command.height(), 300 - 2);
    EXPECT_EQ(command.width(), 496);
    EXPECT_EQ(view.y(), toolbar.y() + toolbar.height() + 4);
    EXPECT_EQ(view.y() + view.height() + 4, command.y());

    // The platform agrees: every widget got exactly the planned rectangle.
    for (Control* c : std::vector<Control*>{&toolbar, &newButton, &openButton, &status, &about, &view, &command}) {
        const Allocation a = allocationOf(*c);
        EXPECT_EQ(a.w, c->width()) << "control " << c->index() << " of its parent";
        EXPECT_EQ(a.h, c->height()) << "control " << c->index() << " of its parent";
    }
}

TEST_F(Gui, ChangingAChildPropertyLaysOutAgain) {
    Window w("Relayout");
    LayoutContainer row(Layout_Horizontal);
    row.setWidthMode(WidthMode_Fill);
    Control a, b;
    w.add(row);
    row.add(a);
    row.add(b);
    w.setSize(300, 100);
    showAndSettle(w);
    EXPECT_EQ(b.x(), 2 + 50 + 4);
    a.setWidth(80);
    EXPECT_EQ(b.x(), 2 + 80 + 4);
    a.setVisible(false);
    EXPECT_EQ(b.x(), 2);
    a.setVisible(true);
    row.setXAlign(XAlign_Right);
    EXPECT_EQ(b.x() + b.width(), 300 - 2);
    row.setPadding(10);
    EXPECT_EQ(b.x() + b.width(), 300 - 10);
    EXPECT_EQ(row.height(), 50 + 20) << "an Auto container follows its contents";
    row.remove(a);
    EXPECT_EQ(b.index(), 0);
    EXPECT_EQ(a.parentControl(), nullptr);
    ASSERT_TRUE(pumpUntil(
        "the platform moving the remaining child", [&] { return allocationOf(b).x; },
        [](int x) { return x == 300 - 10 - 50; }));
}

TEST_F(Gui, ContainerMisuseRaisesAndChangesNothing) {
    LayoutContainer first(Layout_Horizontal), second(Layout_Vertical);
    Control child, stranger;
    first.add(child);
    try {
        second.add(child);
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "Control can be added only to one container.");
    }
    EXPECT_EQ(child.parentControl(), &first);
    EXPECT_EQ(first.childControls().size(), 1u);
    EXPECT_TRUE(second.childControls().empty());
    try {
        second.remove(stranger);
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "control can not be removed because it is not member of the container");
    }
    try {
        child.setX(5);
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "Controls inside a LayoutContainer cannot be moved manually.");
    }
    try {
        stranger.setY(5);
        FAIL();
    } catch (const ToolkitError& e) {
        EXPECT_STREQ(e.what(), "Control cannot be moved, when it is not inside a container.");
    }
    EXPECT_THROW(first.add(first), ToolkitError);
    second.add(first);
    EXPECT_THROW(first.add(second), ToolkitError) << "a container inside its own child";
}

TEST_F(Gui, AChildOutlivesItsContainerAndCanBeUsedAgain) {
    Control child;
    {
        LayoutContainer box(Layout_Horizontal);
        box.add(child);
    }
    EXPECT_EQ(child.parentControl(), nullptr);
    Window w("Reused");
    w.add(child);
    showAndSettle(w);
    EXPECT_EQ(allocationOf(child).w, 50);
}

TEST_F(Gui, ControlDefaultsAndNaturalSizes) {
    Control plain;
    LayoutContainer box(Layout_Vertical);
    Button button("OK");
    Label label("Hello");
    TextBox textBox;
    TextArea textArea;
    EXPECT_EQ(plain.widthMode(), WidthMode_Static);
    EXPECT_EQ(plain.width(), 50);
    EXPECT_EQ(plain.height(), 50);
    EXPECT_EQ(box.widthMode(), WidthMode_Auto);
    EXPECT_EQ(box.padding(), 2);
    EXPECT_EQ(box.spacing(), 4);
    EXPECT_EQ(box.xAlign(), XAlign_Left);
    EXPECT_EQ(button.widthMode(), WidthMode_Auto);
    EXPECT_EQ(button.minWidth(), 15);
    EXPECT_EQ(label.minHeight(), 10);
    EXPECT_EQ(textBox.widthMode(), WidthMode_Expand);
    EXPECT_EQ(textBox.heightMode(), HeightMode_Auto);
    EXPECT_EQ(textBox.minWidth(), 20);
    EXPECT_EQ(textArea.heightMode(), HeightMode_Expand);
    EXPECT_EQ(textArea.minHeight(), 20);

    // A longer text wants more room; a label's natural size follows its text.
    Label longer("Hello, world, and more");
    EXPECT_GT(*longer.naturalWidth(), *label.naturalWidth());
    const int before = *label.naturalWidth();
    label.setText("Hello, world, and more");
    EXPECT_EQ(*label.naturalWidth(), *longer.naturalWidth());
    EXPECT_GT(*label.naturalWidth(), before);
    EXPECT_EQ(label.text(), "Hello, world, and more");
    // A container holding a text box (Expand) has no natural width.
    box.add(textBox);
    EXPECT_EQ(box.naturalWidth(), std::nullopt);
    EXPECT_EQ(box.naturalHeight(), *textBox.naturalHeight() + 4);
}

TEST_F(Gui, NativeControlsRefuseADrawHandler) {
    Button b("x");
    TextBox t;
    TextArea a;
    auto message = [](auto& control) {
        try {
            control.setOnDraw([](DrawEvent&) {});
        } catch (const ToolkitError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message(b), "NativeButton does not allow onDraw.");
    EXPECT_EQ(message(t), "NativeTextBox does not allow onDraw.");
    EXPECT_EQ(message(a), "NativeTextArea does not allow onDraw.");
    Control plain;
    EXPECT_EQ(message(plain), "no error");
}

// ---------------------------------------------------------------- text

TEST_F(Gui, TextBoxAndTextAreaKeepTheirTextInThePlatformWidget) {
    TextBox box("first");
    EXPECT_EQ(box.text(), "first");
    int changes = 0;
    box.setOnTextChange([&](TextChangeEvent&) { ++changes; });
    box.setText("second");
    EXPECT_EQ(box.text(), "second");
    EXPECT_GT(changes, 0);

    TextArea area;
    area.addText("1 2 ");
    area.addLine("3");
    area.addText("ok");
    EXPECT_EQ(area.text(), "1 2 3\nok");
    area.setText("é – ünïcode");
    EXPECT_EQ(area.text(), "é – ünïcode");
    area.setEditable(false);
    EXPECT_FALSE(area.editable());
    area.setWrap(true);
    area.scrollToBottom();
}

// ---------------------------------------------------------------- keys

TEST_F(Gui, TypingIntoATextBoxReportsKeyCodesWindowFirst) {
    Window w("Typing");
    TextBox box;
    w.add(box);
    std::vector<std::string> seen;
    // xdotool holds Shift for "*" and "_"; modifiers are left out here.
    auto modifier = [](const KeyEvent& e) { return e.key >= Key_ControlL && e.key <= Key_ShiftR; };
    w.setOnKeyDown([&](KeyEvent& e) {
        if (modifier(e)) return;
        seen.push_back("window " + std::to_string(e.key));
        if (e.key == Key_Q) e.handled = true;  // the text box never sees it
    });
    box.setOnKeyDown([&](KeyEvent& e) {
        if (modifier(e)) return;
        seen.push_back("box " + std::to_string(e.key) + " " + e.text);
        EXPECT_EQ(e.control, &box);
        EXPECT_EQ(e.window, &w);
        if (e.key == Key_X) e.handled = true;  // no default editing
    });
    box.focus();
    showAndSettle(w);
    keysTo("Typing", "type --delay 30 'a*;qx_'");
    ASSERT_TRUE(pumpUntil("eleven key-downs", [&] { return seen; }, [](const auto& v) { return v.size() >= 11; }));
    EXPECT_EQ(seen, (std::vector<std::string>{"window 65", "box 65 a", "window 43", "box 43 *", "window 44",
                                              "box 44 ;", "window 81", "window 88", "box 88 x", "window 45",
                                              "box 45 _"}));
    EXPECT_EQ(box.text(), "a*;_") << "q stopped by the window, x by the box";
    EXPECT_EQ(w.keyPressed(), Key_Minus);
    EXPECT_EQ(box.keyPressed(), Key_Minus);
}

TEST_F(Gui, ReturnOnAFocusedButtonClicksIt) {
    Window w("Button keys");
    LayoutContainer row(Layout_Horizontal);
    Button first("First"), second("Second");
    w.add(row);
    row.add(first);
    row.add(second);
    int clicks = 0;
    second.setOnClick([&](ClickEvent&) { ++clicks; });
    second.focus();
    showAndSettle(w);
    keysTo("Button keys", "key Return");
    EXPECT_TRUE(pumpUntil("a click by Return", [&] { return clicks; }, [](int n) { return n == 1; }));
    keysTo("Button keys", "key space");
    EXPECT_TRUE(pumpUntil("a click by space", [&] { return clicks; }, [](int n) { return n == 2; }));
}

TEST_F(Gui, LeftControlIsHeldWhileLIsPressedWithOrWithoutShift) {
    Window w("Control keys");
    TextBox box;
    w.add(box);
    struct Seen {
        int key;
        bool left, right;
    };
    std::vector<Seen> seen;
    w.setOnKeyDown([&](KeyEvent& e) {
        if (e.key == Key_L) seen.push_back({e.key, app->isDown(Key_ControlL), app->isDown(Key_ControlR)});
    });
    box.focus();
    showAndSettle(w);
    keysTo("Control keys", "");
    helper("down Control_L"), helper("down l"), helper("up l"), helper("up Control_L");
    helper("down Control_L"), helper("down Shift_L"), helper("down l"), helper("up l");
    helper("up Shift_L"), helper("up Control_L");
    helper("down Control_R"), helper("down l"), helper("up l"), helper("up Control_R");
    ASSERT_TRUE(pumpUntil("three presses of L", [&] { return seen.size(); }, [](std::size_t n) { return n >= 3; }));
    EXPECT_EQ(seen[0].key, 76);
    EXPECT_TRUE(seen[0].left);
    EXPECT_EQ(seen[1].key, 76);
    EXPECT_TRUE(seen[1].left);
    EXPECT_FALSE(seen[2].left);
    EXPECT_TRUE(seen[2].right);
    EXPECT_TRUE(pumpUntil("every released key to leave the held keys", [&] { return app->pressedKeys(); },
                          [](const auto& keys) { return keys.empty(); }));
}

TEST_F(Gui, LosingTheFocusForgetsTheHeldKeys) {
    Window first("First"), second("Second");
    TextBox a, b;
    first.add(a);
    second.add(b);
    first.setSize(200, 100);
    second.setSize(200, 100);
    first.setPosition(0, 0);
    second.setPosition(300, 0);
    a.focus();
    showAndSettle(first);
    keysTo("First", "");
    helper("down Control_L");
    const auto held = pumpUntil("Control_L held", [&] { return app->isDown(Key_ControlL); });
    showAndSettle(second);
    keysTo("Second", "");
    const auto forgotten =
        pumpUntil("the held keys forgotten", [&] { return app->pressedKeys(); }, [](const auto& k) { return k.empty(); });
    helper("up Control_L");
    ASSERT_TRUE(held);
    ASSERT_TRUE(forgotten);
    // Back in the first window, a key typed now arrives with nothing held.
    std::vector<KeyCode> heldAtA;
    first.setOnKeyDown([&](KeyEvent& e) {
        if (e.key == Key_A) heldAtA = app->pressedKeys();
    });
    keysTo("First", "key a");
    ASSERT_TRUE(pumpUntil("the typed a in the first window", [&] { return a.text(); },
                          [](const std::string& t) { return t == "a"; }));
    EXPECT_EQ(heldAtA, std::vector<KeyCode>{Key_A});
}

// ---------------------------------------------------------------- mouse

TEST_F(Gui, AClickNeedsTheReleaseWithinTwentyPixelsOfThePress) {
    Window w("Mouse");
    Control pad;
    pad.setSize(200, 200);
    w.add(pad);
    w.setSize(300, 300);
    std::vector<std::string> seen;
    pad.setOnMouseButtonDown([&](MouseEvent& e) {
        seen.push_back("down " + std::to_string(e.button) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
    });
    pad.setOnMouseButtonUp([&](MouseEvent& e) {
        seen.push_back("up " + std::to_string(e.button) + " " + std::to_string(e.x) + "," + std::to_string(e.y));
    });
    pad.setOnClick([&](ClickEvent& e) {
        EXPECT_EQ(e.control, &pad);
        seen.push_back("click");
    });
    showAndSettle(w);
    const gui::Point p = gui::screenPosition(pad);
    auto at = [&](int x, int y) { return std::to_string(p.x + x) + " " + std::to_string(p.y + y); };

    // The gestures go out together; the last one, a plain click, shows that
    // the ones before it have all been handled.
    xdo("mousemove " + at(10, 10) + " mousedown 1 mousemove " + at(31, 10) + " mouseup 1");
    xdo("mousemove " + at(10, 10) + " mousedown 1 mousemove " + at(30, 30) + " mouseup 1");
    xdo("mousemove " + at(10, 10) + " mousedown 3 mouseup 3");
    xdo("mousemove " + at(190, 10) + " mousedown 1 mousemove " + at(205, 10) + " mouseup 1");
    xdo("mousemove " + at(50, 50) + " click 1");
    EXPECT_TRUE(pumpUntil("the mouse reports, up to the last click", [&] { return seen; },
                          [](const std::vector<std::string>& v) { return !v.empty() && v.back() == "click" && v.size() >= 11; }));
    EXPECT_EQ(seen, (std::vector<std::string>{"down 0 10,10", "up 0 31,10",                // 21 away: no click
                                              "down 0 10,10", "up 0 30,30", "click",       // 20 away: a click
                                              "down 2 10,10", "up 2 10,10",                // right: no click
                                              "down 0 190,10",                             // released outside
                                              "down 0 50,50", "up 0 50,50", "click"}))
        << "the release outside the control is not reported";
}

TEST_F(Gui, APressOnAControlThatDiesIsForgottenByTheOneInItsPlace) {
    Window w("Mouse");
    LayoutContainer box(Layout_Vertical);
    w.add(box);
    w.setSize(300, 300);
    auto pad = std::make_unique<Control>();
    pad->setSize(200, 200);
    box.add(*pad);
    bool pressed = false;
    pad->setOnMouseButtonDown([&](MouseEvent&) { pressed = true; });
    showAndSettle(w);
    const gui::Point p = gui::screenPosition(*pad);
    const std::string at = std::to_string(p.x + 20) + " " + std::to_string(p.y + 20);
    xdo("mousemove " + at + " mousedown 1");
    ASSERT_TRUE(pumpUntil("the press", [&] { return pressed; }));

    // The pressed control goes; a new one (often at the same address) takes
    // its place under the pointer before the button comes up.
    pad.reset();
    auto successor = std::make_unique<Control>();
    successor->setSize(200, 200);
    int clicks = 0, releases = 0;
    successor->setOnClick([&](ClickEvent&) { ++clicks; });
    successor->setOnMouseButtonUp([&](MouseEvent&) { ++releases; });
    box.add(*successor);
    ASSERT_TRUE(pumpUntil("the successor in place", [&] { return allocationOf(*successor).w; },
                          [](int w) { return w == 200; }));
    xdo("mouseup 1");
    xdo("mousedown 1 mouseup 1");
    ASSERT_TRUE(pumpUntil("both releases on the successor", [&] { return releases; }, [](int n) { return n == 2; }));
    EXPECT_EQ(clicks, 1) << "the first press was not on this control; its own press and release are a click";
}

// ---------------------------------------------------------------- drawing

TEST_F(Gui, ADrawHandlerPaintsWhatTheScreenShows) {
    Window w("Drawing");
    Control view;
    view.setSize(120, 80);
    w.add(view);
    w.setSize(120, 80);
    int draws = 0;
    view.setOnDraw([&](DrawEvent& e) {
        EXPECT_EQ(e.control, &view);
        ASSERT_TRUE(e.canvas->inDrawingState());
        e.canvas->fAreaColor = raster::Color(255, 0, 0);
        e.canvas->fill();
        e.canvas->fAreaColor = raster::Color(0, 0, 255);
        e.canvas->drawRectangleArea(60, 40, 30, 20);
        ++draws;
    });
    showAndSettle(w);
    const gui::Point p = gui::screenPosition(view);
    EXPECT_TRUE(pumpUntil(
        "the screen to show the red fill and the blue rectangle",
        [&] { return std::make_pair(gui::pixelAt(p.x + 5, p.y + 5), gui::pixelAt(p.x + 70, p.y + 50)); },
        [](const auto& seen) { return seen == std::make_pair(std::string("#FF0000"), std::string("#0000FF")); }));
    if (const char* shot = std::getenv("WIDGET_SCREENSHOT"))
        gui::run(std::string("import -window root ") + shot);

    // Outside its draw handler the control's canvas cannot draw.
    EXPECT_FALSE(view.canvas().inDrawingState());
    try {
        view.canvas().drawLine(0, 0, 10, 10);
        FAIL();
    } catch (const raster::RasterError& e) {
        EXPECT_STREQ(e.what(), "Canvas is not in drawing state.");
    }
    const int before = draws;
    view.forceRedraw();
    ASSERT_TRUE(pumpUntil("another draw", [&] { return draws; }, [&](int n) { return n > before; }));
}

// Work kept out of a window's first paint: done once after it, with
// events held; or, when a key comes first, before that key's handler; or
// never, when dropped unrun, and then GTK's event handling is whole again.
TEST_F(Gui, WorkAfterTheFirstPaintRunsOnceAfterItOrBeforeTheFirstKey) {
    Window w("Later");
    Control view;
    TextBox box;
    LayoutContainer column(Layout_Vertical);
    column.add(view);
    column.add(box);
    w.add(column);
    int draws = 0;
    view.setOnDraw([&](DrawEvent&) { ++draws; });
    int keys = 0, workAtKey = -1;
    w.setOnKeyDown([&](KeyEvent&) { ++keys; });

    int runs = 0, drawsAtWork = -1, keysDuringWork = -1;
    auto work = [&] {
        // Setting a text handles pending events, unless they are held.
        box.setText("built");
        app->sleep(0);
        drawsAtWork = draws;
        keysDuringWork = keys;
        ++runs;
    };
    {
        AfterFirstPaint later(w, work);
        box.focus();
        showAndSettle(w);
        ASSERT_TRUE(pumpUntil("the work after the first paint", [&] { return runs; }, [](int n) { return n >= 1; }));
        EXPECT_TRUE(later.done());
        EXPECT_GE(drawsAtWork, 1) << "the view was painted before the work ran";
        later.runNow();
        EXPECT_EQ(runs, 1) << "once only";
    }

    // The window has been painted: now only a key sets the work going.
    runs = 0;
    std::optional<AfterFirstPaint> later(std::in_place, w, work);
    w.setOnKeyDown([&](KeyEvent& e) {
        if (e.key != Key_A) return;
        ++keys;
        workAtKey = runs;
    });
    keysTo("Later", "key a key a");
    ASSERT_TRUE(pumpUntil("two keys", [&] { return keys; }, [](int n) { return n >= 2; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(workAtKey, 1) << "the work was done before the first key's handler ran";
    EXPECT_EQ(keysDuringWork, 0) << "no key was handled while the work ran";

    // Dropped before it ran: it never runs, and keys reach the window as ever.
    runs = 0;
    later.emplace(w, work);
    later.reset();
    keysTo("Later", "key a");
    ASSERT_TRUE(pumpUntil("a third key", [&] { return keys; }, [](int n) { return n >= 3; }));
    EXPECT_EQ(runs, 0);
}

TEST_F(Gui, ALabelPlacesItsTextByItsTextAlignment) {
    Window w("Label alignment");
    LayoutContainer column(Layout_Vertical);
    column.setWidthMode(WidthMode_Fill);
    column.setPadding(0);
    column.setSpacing(0);
    Label left("MMMM"), right("MMMM"), centre("MMMM");
    for (Label* l : {&left, &right, &centre}) {
        l->setWidthMode(WidthMode_Fill);
        l->setHeight(30);
        l->setHeightMode(HeightMode_Static);
        l->setBackgroundColor(raster::Color(255, 255, 255));
        l->setTextColor(raster::Color(0, 0, 0));
        column.add(*l);
    }
    right.setTextAlign(XTextAlign_Right, YTextAlign_Center);
    centre.setTextAlign(XTextAlign_Center, YTextAlign_Bottom);
    w.add(column);
    w.setSize(300, 90);
    showAndSettle(w);
    const int textWidth = *left.naturalWidth();
    ASSERT_LT(textWidth, 150);
    auto spanOf = [](Label& l, int yInside) {
        const gui::Point p = gui::screenPosition(l);
        return gui::darkSpan(p.x, p.y + yInside, l.width());
    };
    const int middle = *left.naturalHeight() / 2;
    std::pair<int, int> l, r, c;
    ASSERT_TRUE(pumpUntil(
        "text in all three labels on the screen",
        [&] {
            l = spanOf(left, middle);
            r = spanOf(right, (30 - *right.naturalHeight()) / 2 + middle);
            c = spanOf(centre, 30 - *centre.naturalHeight() + middle);
            return std::vector<std::pair<int, int>>{l, r, c};
        },
        [](const auto& spans) {
            for (const auto& s : spans)
                if (s.first < 0) return false;
            return true;
        }));
    EXPECT_LT(l.first, 10);
    EXPECT_GT(r.second, 300 - 10);
    EXPECT_NEAR((c.first + c.second) / 2, 150, 10);
}

// ---------------------------------------------------------------- errors

TEST_F(Gui, AnErrorInAHandlerGoesToTheApplicationsErrorHandler) {
    Window w("Failing");
    Button b("Fail");
    w.add(b);
    std::vector<std::string> errors;
    app->setErrorHandler([&](const std::string& m) { errors.push_back(m); });
    b.setOnClick([](ClickEvent&) { throw ToolkitError("boom"); });
    showAndSettle(w);
    const gui::Point p = gui::screenPosition(b);
    xdo("mousemove " + std::to_string(p.x + 5) + " " + std::to_string(p.y + 5) + " click 1");
    ASSERT_TRUE(pumpUntil("the error handler called", [&] { return errors; },
                          [](const auto& e) { return !e.empty(); }));
    EXPECT_EQ(errors, std::vector<std::string>{"boom"});
}

// ---------------------------------------------------------------- dialogs

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/widget-gui-XXXXXX";
        fPath = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(fPath); }
    const std::string& path() const { return fPath; }

private:
    std::string fPath;
};

TEST_F(Gui, TheAlertBoxReturnsWhenDismissed) {
    gui::DialogUser user("Alert test", "Return");
    app->alertBox(nullptr, "Something to say", "Alert test");
    SUCCEED();
}

TEST_F(Gui, CancellingTheOpenDialogLeavesNoFiles) {
    TempDir dir;
    OpenFileDialog d;
    d.fTitle = "Open test";
    d.fDirectory = dir.path();
    d.fMultiple = true;
    d.fFiles = {"stale"};
    gui::DialogUser user("Open test", "Escape");
    d.run();
    EXPECT_TRUE(d.fFiles.empty());
}

TEST_F(Gui, TheSaveDialogOpensInItsDirectoryWithTheNameProposed) {
    TempDir dir;
    SaveFileDialog d;
    d.fTitle = "Save test";
    d.fDirectory = dir.path();
    d.fDefaultName = "tree.png";
    {
        gui::DialogUser user("Save test", "Return");
        d.run();
    }
    EXPECT_EQ(d.fFile, dir.path() + "/tree.png");

    gui::DialogUser user("Save test", "Escape");
    d.run();
    EXPECT_EQ(d.fFile, "") << "cancelling leaves the result empty";
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The file choosers keep settings; without a session bus they would
    // complain on every change. Their list of recent files goes to a
    // folder of this run's own.
    setenv("GSETTINGS_BACKEND", "memory", 1);
    TempDir desktop;
    setenv("XDG_DATA_HOME", desktop.path().c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus in the test server
    loadGtkOrExit();
    Application application;
    application.init();
    app = &application;
    return RUN_ALL_TESTS();
}
