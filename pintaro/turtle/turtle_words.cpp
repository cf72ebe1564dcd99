#include "turtle_words.h"

#include <array>
#include <cmath>
#include <iterator>
#include <string>

#include "conversions.h"
#include "raster/raster_error.h"
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

void forward(Interp& in, TurtleState& t) { walk(t, in.pop()); }
void back(Interp& in, TurtleState& t) { walk(t, -in.pop()); }

// wraps at most once, so big turns can leave 0..360
void left(Interp& in, TurtleState& t) {
    t.heading -= in.pop();
    if (t.heading < 0) t.heading += 360;
}

void right(Interp& in, TurtleState& t) {
    t.heading += in.pop();
    if (t.heading >= 360) t.heading -= 360;
}

// remainder with the sign of h
void setheading(Interp& in, TurtleState& t) { t.heading = std::fmod(in.pop(), 360.0); }

void setxy(Interp& in, TurtleState& t) {
    const double y = in.pop(), x = in.pop();
    moveTo(t, x, y);
}

void setx(Interp& in, TurtleState& t) { moveTo(t, in.pop(), t.y); }
void sety(Interp& in, TurtleState& t) { moveTo(t, t.x, in.pop()); }

void home(Interp&, TurtleState& t) {
    const auto [hx, hy] = homePosition(t);
    moveTo(t, hx, hy);
    t.heading = 0;
}

void pos(Interp& in, TurtleState& t) {
    in.push(t.x);
    in.push(t.y);
}

void xcor(Interp& in, TurtleState& t) { in.push(t.x); }
void ycor(Interp& in, TurtleState& t) { in.push(t.y); }
void heading(Interp& in, TurtleState& t) { in.push(t.heading); }

// from -90 to 270; 90 when the target is the turtle itself
void towards(Interp& in, TurtleState& t) {
    const double y = in.pop(), x = in.pop();
    in.push(std::atan2(y - t.y, x - t.x) / limits::kRadiansPerDegree + 90);
}

void penup(Interp&, TurtleState& t) { t.penDown = false; }
void pendown(Interp&, TurtleState& t) { t.penDown = true; }
void isPenDown(Interp& in, TurtleState& t) { in.push(flag(t.penDown)); }
void hideturtle(Interp&, TurtleState& t) { t.visible = false; }
void showturtle(Interp&, TurtleState& t) { t.visible = true; }
void isShown(Interp& in, TurtleState& t) { in.push(flag(t.visible)); }

void setpensize(Interp& in, TurtleState& t) { t.canvas().fLineWidth = in.pop(); }
void pensize(Interp& in, TurtleState& t) { in.push(t.canvas().fLineWidth); }

// repaints without counting as a change
void clean(Interp&, TurtleState& t) { t.canvas().fill(); }

// nothing is drawn on the way home
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

// outline in pen colour and size, whatever the pen
void ellipse(Interp& in, TurtleState& t) {
    const EllipseBox b = ellipseBox(in, t);
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawEllipseOutline(b.x, b.y, b.w, b.h);
}

// filled with the background colour, no outline
void fillellipse(Interp& in, TurtleState& t) {
    const EllipseBox b = ellipseBox(in, t);
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawEllipseArea(b.x, b.y, b.w, b.h);
}

// the text buffer, top-left at the turtle, whatever the pen
void label(Interp& in, TurtleState& t) {
    t.unsaved = true;
    if (std::isnan(t.x) || std::isnan(t.y)) return;
    t.canvas().drawText(in.textBuffer(), toPixel(t.x), toPixel(t.y));
}

void setlabelheight(Interp& in, TurtleState& t) { t.canvas().fFontSize = in.pop(); }

// widest line of the text buffer, height of one line
void labelsize(Interp& in, TurtleState& t) {
    const std::int64_t w = t.canvas().textWidth(in.textBuffer());
    const int h = t.canvas().textLineHeight();
    in.push(w);
    in.push(h);
}

// the label takes the same colour
void setpencolor(Interp& in, TurtleState& t) {
    const Color c = popColor(in);
    t.canvas().fLineColor = c;
    t.canvas().fTextColor = c;
}

void pencolor(Interp& in, TurtleState& t) { pushColor(in, t.canvas().fLineColor); }

// shows at the next clean, clearscreen or fillellipse
void setbackground(Interp& in, TurtleState& t) { t.canvas().fAreaColor = popColor(in); }

void background(Interp& in, TurtleState& t) { pushColor(in, t.canvas().fAreaColor); }

// An index out of range counts as reading past the stack, like every index
// error of the interpreter.
int paletteIndex(double v) {
    const auto i = toPaletteIndex(v);
    if (!i) throw forth::StackUnderflow();
    return *i;
}

void palette(Interp& in, TurtleState& t) { pushColor(in, t.palette[paletteIndex(in.pop())]); }

// all inputs are taken before the index is checked
void setpalette(Interp& in, TurtleState& t) {
    const double i = in.pop();
    const Color c = popColor(in);
    t.palette[paletteIndex(i)] = c;
}

// One row of the word table: the word, and what the reference says about it.
struct WordEntry {
    std::string_view name;
    Word word;
    forth::WordDoc doc;
};

// In registration order, which `words` shows.
constexpr WordEntry kWords[] = {
    {"forward", forward, {"turtle motion", "( d -- )", "Walk d pixels the way the turtle faces; draws while the pen is down."}},
    {"back", back, {"turtle motion", "( d -- )", "Walk d pixels backwards; the turtle keeps facing the same way."}},
    {"left", left, {"turtle motion", "( a -- )", "Turn left (anticlockwise) by a degrees."}},
    {"right", right, {"turtle motion", "( a -- )", "Turn right (clockwise) by a degrees."}},
    {"setheading", setheading, {"turtle motion", "( h -- )", "Face h degrees: 0 is up, 90 right, 180 down, 270 left."}},
    {"setxy", setxy, {"turtle motion", "( x y -- )", "Go to column x, row y; draws while the pen is down."}},
    {"setx", setx, {"turtle motion", "( x -- )", "Go to column x on the same row; draws while the pen is down."}},
    {"sety", sety, {"turtle motion", "( y -- )", "Go to row y in the same column; draws while the pen is down."}},
    {"home", home, {"turtle motion", "( -- )", "Go to the middle of the image and face up; draws while the pen is down."}},
    {"pos", pos, {"turtle motion", "( -- x y )", "Push the turtle's column and row."}},
    {"xcor", xcor, {"turtle motion", "( -- x )", "Push the turtle's column, counted from the left edge."}},
    {"ycor", ycor, {"turtle motion", "( -- y )", "Push the turtle's row, counted down from the top edge."}},
    {"heading", heading, {"turtle motion", "( -- h )", "Push the direction the turtle faces, in degrees."}},
    {"towards", towards, {"turtle motion", "( x y -- h )", "Push the heading from the turtle to column x, row y; it does not turn."}},
    {"penup", penup, {"pen", "( -- )", "Lift the pen: the turtle moves without drawing."}},
    {"pendown", pendown, {"pen", "( -- )", "Put the pen down: the turtle draws as it moves."}},
    {"pendown?", isPenDown, {"pen", "( -- flag )", "1 if the pen is down, else 0."}},
    {"hideturtle", hideturtle, {"turtle motion", "( -- )", "Hide the turtle; the drawing is the same either way."}},
    {"showturtle", showturtle, {"turtle motion", "( -- )", "Show the turtle again."}},
    {"shown?", isShown, {"turtle motion", "( -- flag )", "1 if the turtle is shown, else 0."}},
    {"setpensize", setpensize, {"pen", "( n -- )", "Draw lines and ellipses n pixels wide."}},
    {"pensize", pensize, {"pen", "( -- n )", "Push the width of the pen in pixels."}},
    {"clean", clean, {"image", "( -- )", "Paint the whole image in the background colour; the turtle stays."}},
    {"clearscreen", clearscreen, {"image", "( -- )", "Paint the image in the background colour and send the turtle home."}},
    {"ellipse", ellipse, {"image", "( rx ry -- )", "Draw an ellipse around the turtle: rx pixels to each side, ry up and down."}},
    {"fillellipse", fillellipse, {"image", "( rx ry -- )", "Fill that ellipse with the background colour, without an outline."}},
    {"label", label, {"image", "( -- )", "Write the text with its top-left corner at the turtle."}},
    {"setlabelheight", setlabelheight, {"image", "( n -- )", "Set the size of the text that `label` writes (15 at the start)."}},
    {"labelsize", labelsize, {"image", "( -- w h )", "Push the width and height in pixels that `label` would take."}},
    {"setpencolor", setpencolor, {"colours", "( r g b -- )", "Draw lines and labels in red r, green g, blue b (0 to 255)."}},
    {"pencolor", pencolor, {"colours", "( -- r g b )", "Push the pen colour."}},
    {"setbackground", setbackground,
     {"colours", "( r g b -- )", "Make r g b the colour of `clean`, `clearscreen` and `fillellipse`."}},
    {"background", background, {"colours", "( -- r g b )", "Push the background colour."}},
    {"palette", palette, {"colours", "( i -- r g b )", "Push colour number i (0 to 15) of the palette."}},
    {"setpalette", setpalette, {"colours", "( r g b i -- )", "Make r g b colour number i (0 to 15) of the palette."}},
};

struct AliasEntry {
    std::string_view alias;
    std::string_view word;
};

// Each alias shares the text of its word.
constexpr AliasEntry kAliases[] = {
    {"fd", "forward"},   {"bk", "back"},        {"lt", "left"},         {"rt", "right"},
    {"seth", "setheading"}, {"ht", "hideturtle"}, {"st", "showturtle"}, {"pu", "penup"},
    {"pd", "pendown"},   {"cs", "clearscreen"}, {"setpc", "setpencolor"}, {"pc", "pencolor"},
    {"setbg", "setbackground"}, {"bg", "background"},
};

constexpr const WordEntry* findWordEntry(std::string_view name) {
    for (const WordEntry& e : kWords)
        if (e.name == name) return &e;
    return nullptr;
}

constexpr bool everyAliasNamesAWord() {
    for (const AliasEntry& a : kAliases)
        if (!findWordEntry(a.word)) return false;
    return true;
}
static_assert(everyAliasNamesAWord());

// The colour named after the #.
void colorSigil(Interp& in, std::string_view name) {
    const Color* c = findColorName(name);
    if (!c) throw forth::ScriptError("key not found: " + std::string(name));
    pushColor(in, *c);
}

// The turtle's one sigil, written as the reference shows it.
struct SigilEntry {
    std::string_view form;
    void (*handler)(Interp&, std::string_view);
    forth::WordDoc doc;
};

constexpr SigilEntry kColorSigil{
    "#colour", colorSigil, {"colours", "( -- r g b )", "Push the colour of that name: `#orange setpencolor`."}};

// The words, the sigil and the aliases, in registration order.
constexpr auto kTurtleDocs = [] {
    using Kind = forth::DocumentedEntry::Kind;
    std::array<forth::DocumentedEntry, std::size(kWords) + 1 + std::size(kAliases)> docs{};
    std::size_t n = 0;
    for (const WordEntry& e : kWords) docs[n++] = {Kind::Word, e.name, &e.doc, {}};
    docs[n++] = {Kind::Sigil, kColorSigil.form, &kColorSigil.doc, {}};
    for (const AliasEntry& a : kAliases) docs[n++] = {Kind::Alias, a.alias, &findWordEntry(a.word)->doc, a.word};
    return docs;
}();

}  // namespace

void registerTurtleWords(forth::Interp& in, TurtleState& t) {
    for (const WordEntry& e : kWords) {
        in.defineWord(e.name, [&t, word = e.word](Interp& interp) {
            // The canvas reports in its own error kind; scripts see every
            // failure of a word as a script error.
            try {
                word(interp, t);
            } catch (const raster::RasterError& err) {
                throw forth::ScriptError(err.what());
            }
        });
    }
    in.defineSigil(kColorSigil.form[0], kColorSigil.handler);
    for (const AliasEntry& a : kAliases) in.defineAlias(a.alias, a.word);
}

std::span<const forth::DocumentedEntry> turtleWordDocs() { return kTurtleDocs; }

}  // namespace turtle
