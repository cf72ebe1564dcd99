#include "turtle_words.h"

#include <cmath>
#include <iterator>
#include <string>

#include "conversions.h"
#include "toolkit_error.h"
#include "turtle_limits.h"

namespace turtle {
namespace {

using forth::Interp;
using Word = void (*)(Interp&, TurtleState&);


Color popColor(Interp& in) {
    const double b = in.pop(), g = in.pop(), r = in.pop();
    return Color::fromInts(toChannel(r), toChannel(g), toChannel(b));
}

void pushColor(Interp& in, Color c) {
    in.push(c.r);
    in.push(c.g);
    in.push(c.b);
}

double flag(bool b) { return b ? 1.0 : 0.0; }

// ( d -- )
void forward(Interp& in, TurtleState& t) { walk(t, in.pop()); }
// ( d -- )
void back(Interp& in, TurtleState& t) { walk(t, -in.pop()); }

// ( a -- ) wraps at most once, so big turns can leave 0..360
void left(Interp& in, TurtleState& t) {
    t.heading -= in.pop();
    if (t.heading < 0) t.heading += 360;
}

// ( a -- )
void right(Interp& in, TurtleState& t) {
    t.heading += in.pop();
    if (t.heading >= 360) t.heading -= 360;
}

// ( h -- ) remainder with the sign of h
void setheading(Interp& in, TurtleState& t) { t.heading = std::fmod(in.pop(), 360.0); }

// ( x y -- )
void setxy(Interp& in, TurtleState& t) {
    const double y = in.pop(), x = in.pop();
    moveTo(t, x, y);
}

// ( x -- )
void setx(Interp& in, TurtleState& t) { moveTo(t, in.pop(), t.y); }
// ( y -- )
void sety(Interp& in, TurtleState& t) { moveTo(t, t.x, in.pop()); }

// ( -- )
void home(Interp&, TurtleState& t) {
    const auto [hx, hy] = homePosition(t);
    moveTo(t, hx, hy);
    t.heading = 0;
}

// ( -- x y )
void pos(Interp& in, TurtleState& t) {
    in.push(t.x);
    in.push(t.y);
}

// ( -- x )
void xcor(Interp& in, TurtleState& t) { in.push(t.x); }
// ( -- y )
void ycor(Interp& in, TurtleState& t) { in.push(t.y); }
// ( -- h )
void heading(Interp& in, TurtleState& t) { in.push(t.heading); }

// ( x y -- h ) from -90 to 270; 90 when the target is the turtle itself
void towards(Interp& in, TurtleState& t) {
    const double y = in.pop(), x = in.pop();
    in.push(std::atan2(y - t.y, x - t.x) / limits::kRadiansPerDegree + 90);
}

// ( -- )
void penup(Interp&, TurtleState& t) { t.penDown = false; }
// ( -- )
void pendown(Interp&, TurtleState& t) { t.penDown = true; }
// ( -- flag )
void isPenDown(Interp& in, TurtleState& t) { in.push(flag(t.penDown)); }
// ( -- )
void hideturtle(Interp&, TurtleState& t) { t.visible = false; }
// ( -- )
void showturtle(Interp&, TurtleState& t) { t.visible = true; }
// ( -- flag )
void isShown(Interp& in, TurtleState& t) { in.push(flag(t.visible)); }

// ( n -- )
void setpensize(Interp& in, TurtleState& t) { t.canvas().fLineWidth = in.pop(); }
// ( -- n )
void pensize(Interp& in, TurtleState& t) { in.push(t.canvas().fLineWidth); }

// ( -- ) repaints without counting as a change
void clean(Interp&, TurtleState& t) { t.canvas().fill(); }

// ( -- ) nothing is drawn on the way home
void clearscreen(Interp&, TurtleState& t) {
    t.canvas().fill();
    t.unsaved = true;
    std::tie(t.x, t.y) = homePosition(t);
    t.heading = 0;
}

// The box of the ellipse with radii (rx, ry) around the turtle. Positions
// and radii are clamped to +-2^61, so the sums cannot overflow.
struct EllipseBox {
    std::int64_t x, y, w, h;
};

EllipseBox ellipseBox(Interp& in, const TurtleState& t) {
    const double ry = in.pop(), rx = in.pop();
    const std::int64_t irx = toPixel(rx), iry = toPixel(ry);
    return {toPixel(t.x) - irx, toPixel(t.y) - iry, 2 * irx, 2 * iry};
}

// ( rx ry -- ) outline in pen colour and size, whatever the pen
void ellipse(Interp& in, TurtleState& t) {
    const EllipseBox b = ellipseBox(in, t);
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawEllipseOutline(b.x, b.y, b.w, b.h);
}

// ( rx ry -- ) filled with the background colour, no outline
void fillellipse(Interp& in, TurtleState& t) {
    const EllipseBox b = ellipseBox(in, t);
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawEllipseArea(b.x, b.y, b.w, b.h);
}

// ( -- ) the text buffer, top-left at the turtle, whatever the pen
void label(Interp& in, TurtleState& t) {
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawText(in.textBuffer(), toPixel(t.x), toPixel(t.y));
}

// ( n -- )
void setlabelheight(Interp& in, TurtleState& t) { t.canvas().fFontSize = in.pop(); }

// ( -- w h ) widest line of the text buffer, height of one line
void labelsize(Interp& in, TurtleState& t) {
    const int w = t.canvas().textWidth(in.textBuffer());
    const int h = t.canvas().textLineHeight();
    in.push(w);
    in.push(h);
}

// ( r g b -- ) the label takes the same colour
void setpencolor(Interp& in, TurtleState& t) {
    const Color c = popColor(in);
    t.canvas().fLineColor = c;
    t.canvas().fTextColor = c;
}

// ( -- r g b )
void pencolor(Interp& in, TurtleState& t) { pushColor(in, t.canvas().fLineColor); }

// ( r g b -- ) shows at the next clean, clearscreen or fillellipse
void setbackground(Interp& in, TurtleState& t) { t.canvas().fAreaColor = popColor(in); }

// ( -- r g b )
void background(Interp& in, TurtleState& t) { pushColor(in, t.canvas().fAreaColor); }

// An index out of range counts as reading past the stack, like every index
// error of the interpreter.
int paletteIndex(double v) {
    const auto i = toPaletteIndex(v);
    if (!i) throw forth::StackUnderflow();
    return *i;
}

// ( i -- r g b )
void palette(Interp& in, TurtleState& t) { pushColor(in, t.palette[paletteIndex(in.pop())]); }

// ( r g b i -- ) all inputs are taken before the index is checked
void setpalette(Interp& in, TurtleState& t) {
    const double i = in.pop();
    const Color c = popColor(in);
    t.palette[paletteIndex(i)] = c;
}

struct WordEntry {
    const char* name;
    Word word;
};

constexpr WordEntry kWords[] = {
    {"forward", forward},
    {"back", back},
    {"left", left},
    {"right", right},
    {"setheading", setheading},
    {"setxy", setxy},
    {"setx", setx},
    {"sety", sety},
    {"home", home},
    {"pos", pos},
    {"xcor", xcor},
    {"ycor", ycor},
    {"heading", heading},
    {"towards", towards},
    {"penup", penup},
    {"pendown", pendown},
    {"pendown?", isPenDown},
    {"hideturtle", hideturtle},
    {"showturtle", showturtle},
    {"shown?", isShown},
    {"setpensize", setpensize},
    {"pensize", pensize},
    {"clean", clean},
    {"clearscreen", clearscreen},
    {"ellipse", ellipse},
    {"fillellipse", fillellipse},
    {"label", label},
    {"setlabelheight", setlabelheight},
    {"labelsize", labelsize},
    {"setpencolor", setpencolor},
    {"pencolor", pencolor},
    {"setbackground", setbackground},
    {"background", background},
    {"palette", palette},
    {"setpalette", setpalette},
};
static_assert(std::size(kWords) == 35);

struct AliasEntry {
    const char* alias;
    const char* word;
};

constexpr AliasEntry kAliases[] = {
    {"fd", "forward"},   {"bk", "back"},        {"lt", "left"},         {"rt", "right"},
    {"seth", "setheading"}, {"ht", "hideturtle"}, {"st", "showturtle"}, {"pu", "penup"},
    {"pd", "pendown"},   {"cs", "clearscreen"}, {"setpc", "setpencolor"}, {"pc", "pencolor"},
    {"setbg", "setbackground"}, {"bg", "background"},
};
static_assert(std::size(kAliases) == 14);

// ( -- r g b ) the colour named after the #
void colorSigil(Interp& in, std::string_view name) {
    const Color* c = findColorName(name);
    if (!c) throw forth::ScriptError("key not found: " + std::string(name));
    pushColor(in, *c);
}

}  // namespace

void registerTurtleWords(forth::Interp& in, TurtleState& t) {
    for (const WordEntry& e : kWords) {
        in.defineWord(e.name, [&t, word = e.word](Interp& interp) {
            // The canvas reports in its own error kind; scripts see every
            // failure of a word as a script error.
            try {
                word(interp, t);
            } catch (const toolkit::ToolkitError& err) {
                throw forth::ScriptError(err.what());
            }
        });
    }
    in.defineSigil('#', colorSigil);
    for (const AliasEntry& a : kAliases) in.defineAlias(a.alias, a.word);
}

}  // namespace turtle
