// The interpreter with the turtle's words on a small image, fed scripts: the
// input is a script's text, run line by line as the console runs its
// editor's text, then checked for a construct left open as veskel checks it.
//
// One interpreter serves every input: it is brought back to its start
// (Interp::restore) and the turtle to its start image after each, so an
// input does the same on its own as in a campaign. A script's own errors are
// expected and caught; findings are crashes, sanitizer reports, leaks,
// timeouts, and a run that does not unwind all its levels.
//
// What would make inputs slow or reach outside without testing anything
// more is bounded: every input gets a budget of poll-hook calls (each one
// kPollInterval word-list runs), the stack and the nesting small limits,
// and `included` opens no files (a script could name /dev/zero or a pipe).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string_view>
#include <tuple>

#include "fuzz_limits.h"
#include "forth/interp.h"
#include "forth/line_runner.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

namespace {

class DiscardBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct Harness {
    raster::RasterApi raster = raster::loadRasterLibraries();
    turtle::TurtleState turtle{raster};
    std::unique_ptr<forth::Interp> in = forth::makeCoreInterp();
    DiscardBuffer discard;
    std::ostream discardStream{&discard};
    std::size_t printed = 0;
    std::istringstream noInput;  // accept meets the end of input at once
    long polls = 0;
    forth::Interp::Snapshot start;

    Harness() {
        turtle::imageReset(turtle, fuzz_forth_image_width, fuzz_forth_image_height);
        turtle::registerTurtleWords(*in, turtle);
        in->defineWord("included",
                       [](forth::Interp& i) { throw forth::ScriptError("cannot open: " + i.textBuffer()); });
        // Printed text is counted, not kept: a loop that prints a deep stack
        // with `.s` on every pass does work that grows with the square of
        // its passes within the step budget, so output has a budget too.
        in->setOutput({[this](std::string_view text) {
                           printed += text.size();
                           if (printed > fuzz_forth_max_output) throw forth::ScriptError("output budget used up");
                       },
                       {}});
        in->err = &discardStream;
        in->in = &noInput;
        in->maxStackDepth = fuzz_forth_max_stack;
        in->maxNesting = fuzz_forth_max_nesting;
        in->onPoll = [this](forth::Interp&) {
            if (++polls > fuzz_forth_max_polls) throw forth::ScriptError("step budget used up");
        };
        start = in->snapshot();
    }

    void reset() {
        in->restore(start);
        noInput.clear();
        polls = 0;
        printed = 0;
        // The image reset without a new surface: the same size, painted over.
        raster::Canvas& c = turtle.canvas();
        c.fAreaColor = {0, 0, 0, 255};
        c.fLineColor = c.fTextColor = {255, 255, 255, 255};
        c.fill();
        c.fLineWidth = 1;
        c.fFontSize = raster::limits::kDefaultTextSize;
        c.fFontFamily.clear();
        c.fFontBold = false;
        std::tie(turtle.x, turtle.y) = turtle::homePosition(turtle);
        turtle.heading = 0;
        turtle.penDown = turtle.visible = true;
        turtle.unsaved = false;
        for (std::size_t i = 0; i < turtle.palette.size(); ++i) turtle.palette[i] = turtle::kColorNames[i].color;
    }
};

Harness* harness = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Drawing is off screen; nothing may look for a display.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    harness = new Harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& h = *harness;
    const auto lines = forth::cutLines(std::string_view(reinterpret_cast<const char*>(data), size));
    std::size_t taken = 0;
    try {
        forth::runLines(*h.in, forth::listLines(lines, taken));
        forth::requireClosed(*h.in);
    } catch (const std::exception&) {
        // The script's own error, as a front end would report it.
    }
    // An error unwinds every level it passes; a level left counted would
    // shrink what later runs may nest.
    if (h.in->nestingDepth() != 0) std::abort();
    // Reset now rather than before the next input: what the input made is
    // freed within its own run, so libFuzzer sees no allocation outlive it
    // and does not suspect a leak (and re-run the input to look for one).
    h.reset();
    return 0;
}
