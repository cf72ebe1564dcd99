// Facts about the globals and bindings that hold while no screen is open.
// The screen itself is exercised through a terminal by the screen tests.
#include "engine.h"

#include <cstdlib>
#include <string>

#define NCURSES_NOMACROS
#include <curses.h>

namespace {

// Scripts see fixed numbers; they must still mean the same thing to the
// curses library the host is linked with.
TEST(Constants, AgreeWithTheLinkedCursesLibrary)
{
    struct { const char* name; long value; } library[] = {
        {"OK", OK}, {"ERR", ERR},
        {"A_NORMAL", static_cast<long>(A_NORMAL)}, {"A_STANDOUT", static_cast<long>(A_STANDOUT)},
        {"A_UNDERLINE", static_cast<long>(A_UNDERLINE)}, {"A_REVERSE", static_cast<long>(A_REVERSE)},
        {"A_BLINK", static_cast<long>(A_BLINK)}, {"A_DIM", static_cast<long>(A_DIM)},
        {"A_BOLD", static_cast<long>(A_BOLD)}, {"A_PROTECT", static_cast<long>(A_PROTECT)},
        {"A_INVIS", static_cast<long>(A_INVIS)}, {"A_ALTCHARSET", static_cast<long>(A_ALTCHARSET)},
        {"COLOR_BLACK", COLOR_BLACK}, {"COLOR_RED", COLOR_RED}, {"COLOR_GREEN", COLOR_GREEN},
        {"COLOR_YELLOW", COLOR_YELLOW}, {"COLOR_BLUE", COLOR_BLUE},
        {"COLOR_MAGENTA", COLOR_MAGENTA}, {"COLOR_CYAN", COLOR_CYAN}, {"COLOR_WHITE", COLOR_WHITE},
        {"KEY_RESIZE", KEY_RESIZE}, {"KEY_BACKSPACE", KEY_BACKSPACE}, {"KEY_ENTER", KEY_ENTER},
        {"KEY_BREAK", KEY_BREAK}, {"KEY_UP", KEY_UP}, {"KEY_DOWN", KEY_DOWN},
        {"KEY_LEFT", KEY_LEFT}, {"KEY_RIGHT", KEY_RIGHT}, {"KEY_HOME", KEY_HOME},
        {"KEY_END", KEY_END}, {"KEY_PPAGE", KEY_PPAGE}, {"KEY_NPAGE", KEY_NPAGE},
        {"KEY_DC", KEY_DC}, {"KEY_IC", KEY_IC}, {"KEY_F0", KEY_F0},
    };
    engine js;
    for (const auto& c : library)
        EXPECT_EQ(js.eval(c.name), std::to_string(c.value)) << c.name;
    EXPECT_EQ(js.eval("KEY_F(12)"), std::to_string(KEY_F(12)));
}

TEST(Constants, AreOrdinaryWritableGlobals)
{
    engine js;
    EXPECT_EQ(js.eval("OK = 5; OK"), "5");
    EXPECT_EQ(js.eval("Object.getOwnPropertyDescriptor(this, 'A_BOLD').enumerable"), "true");
}

// Every row of the table, up to the empty entry that ends it, becomes a
// global function taking the row's argument count (print takes any).
TEST(Registration, EveryRowIsAGlobalWithItsArgumentCount)
{
    engine js;
    const duk_function_list_entry* row = ostrin_bindings();
    for (; row->key != nullptr; ++row) {
        const std::string name = row->key;
        EXPECT_EQ(js.eval(("typeof " + name).c_str()), "function") << name;
        EXPECT_EQ(js.eval((name + ".length").c_str()),
                  std::to_string(row->nargs == DUK_VARARGS ? 0 : row->nargs)) << name;
    }
    EXPECT_EQ(row->value, nullptr);
}

TEST(Registration, EachHeapGetsItsOwnGlobals)
{
    engine a, b;
    a.eval("var only_in_a = 1; OK = 7;");
    EXPECT_EQ(b.eval("typeof only_in_a"), "undefined");
    EXPECT_EQ(b.eval("OK"), "0");
}

TEST(SetInt, CreatesOrReplacesAGlobalNumber)
{
    engine js;
    ostrin_set_int(js.ctx, "LINES", 24);
    EXPECT_EQ(js.eval("LINES"), "24");
    ostrin_set_int(js.ctx, "LINES", -3);
    EXPECT_EQ(js.eval("typeof LINES + ' ' + LINES"), "number -3");
    EXPECT_EQ(duk_get_top(js.ctx), 0) << "the value stack is left as it was";
}

TEST(WithoutScreen, StatusBindingsReportErrAndThrowingOnesThrow)
{
    engine js;
    for (const char* call : {"addstr('x')", "refresh()", "erase()", "clear()", "endwin()",
                             "attron(A_BOLD)", "attroff(A_BOLD)", "attrset(0)", "standout()",
                             "standend()", "color_set(1)", "keypad(true)", "leaveok(true)",
                             "scrollok(true)", "getch()", "echo()", "nl()"})
        EXPECT_EQ(js.eval(call), "-1") << call;
    for (const char* call : {"addnstr('x', 1)", "move(0, 0)", "move()", "mvaddstr(0, 0, 'x')",
                             "mvaddnstr(0, 0, 'x', 1)", "start_color()", "init_pair(1, 2, 3)"})
        EXPECT_EQ(js.eval(call), "throws TypeError") << call;
    EXPECT_EQ(js.eval("isendwin()"), "false");
    EXPECT_EQ(js.eval("has_colors()"), "false");
}

TEST(WithoutScreen, WaitingCursorAndClearingBindingsReportErr)
{
    engine js;
    for (const char* call : {"timeout(10)", "nodelay(true)", "halfdelay(5)", "curs_set(0)",
                             "getcury()", "getcurx()", "clrtoeol()", "clrtobot()", "beep()",
                             "flash()", "flushinp()", "use_default_colors()"})
        EXPECT_EQ(js.eval(call), "-1") << call;
    EXPECT_EQ(js.eval("napms(1)"), "0") << "sleeping needs no screen";
    EXPECT_EQ(js.eval("typeof print"), "function");
}

// The attribute bits scripts compute must select the same pair in the
// linked library, including numbers out of its range.
TEST(Constants, ColorPairAgreesWithTheLinkedCursesLibrary)
{
    engine js;
    for (int n : {0, 1, 7, 255, 256, 1000, -1})
        EXPECT_EQ(js.eval(("COLOR_PAIR(" + std::to_string(n) + ")").c_str()),
                  std::to_string(static_cast<int>(COLOR_PAIR(n)))) << n;
}

TEST(Coercion, ThrowingConversionBecomesAScriptError)
{
    engine js;
    EXPECT_EQ(js.eval("addstr({toString: function () { throw new RangeError('no'); }})"),
              "throws RangeError");
    EXPECT_EQ(js.eval("KEY_F(Symbol('s'))"), "throws TypeError");
    EXPECT_EQ(js.eval("addstr(Symbol('s'))"), "throws TypeError");
    EXPECT_EQ(js.eval("'still running'"), "still running");
}

// initscr must report a terminal curses cannot drive instead of letting
// curses end the process.
class NoTerminal : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* t = std::getenv("TERM"))
            saved_ = t, had_ = true;
    }
    void TearDown() override
    {
        if (had_)
            setenv("TERM", saved_.c_str(), 1);
        else
            unsetenv("TERM");
    }
    std::string saved_;
    bool had_ = false;
};

TEST_F(NoTerminal, UnsetTermMakesInitscrThrow)
{
    unsetenv("TERM");
    engine js;
    EXPECT_EQ(js.eval("initscr()"), "throws TypeError");
    EXPECT_EQ(js.eval("typeof LINES"), "undefined");
    EXPECT_EQ(js.eval("getmaxy()"), "-1");
}

TEST_F(NoTerminal, UnknownTermMakesInitscrThrowEveryTime)
{
    setenv("TERM", "no-such-terminal-type", 1);
    engine js;
    EXPECT_EQ(js.eval("initscr()"), "throws TypeError");
    EXPECT_EQ(js.eval("initscr()"), "throws TypeError");
    EXPECT_EQ(js.eval("try { initscr(); 'opened' } catch (e) { e instanceof TypeError }"), "true");
}

} // namespace
