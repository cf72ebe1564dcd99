// Facts about the layer that hold without a display: nothing can be built
// before the application is initialised, and the unhandled-error text.
#include <gtest/gtest.h>

#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/error_guard.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "toolkit/text_area.h"
#include "toolkit/text_box.h"
#include "toolkit/toolkit_error.h"
#include "toolkit/window.h"

namespace {

using namespace toolkit;

template <class Make>
std::string errorOf(Make make) {
    try {
        make();
    } catch (const ToolkitError& e) {
        return e.what();
    }
    return "no error";
}

TEST(BeforeInit, NoWindowOrControlCanBeCreated) {
    const std::string expected = "You need to call 'app.init()' at first.";
    EXPECT_EQ(errorOf([] { Window w("x"); }), expected);
    EXPECT_EQ(errorOf([] { Window w; }), expected);
    EXPECT_EQ(errorOf([] { Control c; }), expected);
    EXPECT_EQ(errorOf([] { LayoutContainer c(Layout_Vertical); }), expected);
    EXPECT_EQ(errorOf([] { Button c("b"); }), expected);
    EXPECT_EQ(errorOf([] { Label c("l"); }), expected);
    EXPECT_EQ(errorOf([] { TextBox c; }), expected);
    EXPECT_EQ(errorOf([] { TextArea c; }), expected);
    EXPECT_EQ(errorOf([] { Application::current(); }), expected);
}

TEST(BeforeInit, AnApplicationThatWasNeverInitialisedIsNotCurrent) {
    Application app;
    EXPECT_FALSE(app.initialized());
    EXPECT_EQ(Application::currentOrNull(), nullptr);
    EXPECT_EQ(app.resolution(), 96);
    EXPECT_FALSE(app.isDown(Key_ControlL));
}

TEST(BeforeInit, InitialisingWithoutGtkLoadedRaisesInsteadOfCrashing) {
    Application app;
    EXPECT_EQ(errorOf([&] { app.init(); }), "GTK 3 is not loaded.");
    EXPECT_FALSE(app.initialized());
}

TEST(UnhandledError, TheTextEndsWithTheMissingTraceback) {
    EXPECT_EQ(unhandledErrorText("boom"), "boom\n\nNo stack traceback available\n");
}

TEST(UnhandledError, WithoutAnApplicationTheLineIsWrittenAndTheProcessEndsWithStatusZero) {
    EXPECT_EXIT(guarded([] { throw ToolkitError("lost"); }), testing::ExitedWithCode(0), "");
}

TEST(ScaleToScreen, AtNinetySixDotsEveryLengthStaysAsItIs) {
    EXPECT_EQ(scaleToScreen(0), 0);
    EXPECT_EQ(scaleToScreen(97), 97);
    EXPECT_EQ(scaleToScreen(-5), -5);
}

}  // namespace
