// veskel: Veskel Forth without a window; the turtle draws on an image in memory.
#include <unistd.h>

#include <ext/stdio_filebuf.h>
#include <filesystem>
#include <iostream>

#include "animation.h"
#include "drawing.h"
#include "turtle/drawing_script.h"
#include "forth/interp.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "options.h"
#include "output_files.h"
#include "program_message.h"
#include "replay.h"
#include "runner.h"
#include "shown_script.h"
#include "raster/raster_error.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"
#include "reference/word_reference.h"

namespace {

// Output lost on a full disk or a closed pipe must not pass as success.
bool flushedStandardOutput() {
    std::cout.flush();
    if (std::cout) return true;
    veskel::tell(std::cerr, "cannot write standard output");
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    veskel::Options opts;
    try {
        opts = veskel::parseOptions(argc, argv);
    } catch (const veskel::UsageError& e) {
        veskel::tell(std::cerr, e.what());
        std::cerr << "Try 'veskel --help' for more information.\n";
        return 2;
    } catch (const veskel::RefusedOutput& e) {
        veskel::tell(std::cerr, e.what());
        return 2;
    }
    if (opts.help) {
        std::cout << veskel::usageText();
        return 0;
    }
    if (opts.version) {
        std::cout << veskel::versionText();
        return flushedStandardOutput() ? 0 : 1;
    }
    if (opts.words) {
        std::cout << reference::renderText(reference::gatherWordReference());
        return flushedStandardOutput() ? 0 : 1;
    }

    // The script a picture keeps, run again or printed: read before anything
    // runs, and without the image libraries, which --script-of never needs.
    std::string script;
    const std::string& picture = opts.replay.empty() ? opts.scriptOf : opts.replay;
    if (!picture.empty()) {
        try {
            script = veskel::readPictureScript(picture);
        } catch (const veskel::ReplayError& e) {
            veskel::tell(std::cerr, e.what());
            return 1;
        }
    }
    if (!opts.scriptOf.empty()) {
        // Shown to a person, nothing in it may act on the terminal: a
        // carriage return or an escape sequence could hide what a replay
        // would run. Into a pipe or a file it goes byte for byte.
        std::cout << (isatty(STDOUT_FILENO) ? veskel::withControlsShown(script) : script) << std::flush;
        return std::cout ? 0 : 1;
    }

    // The image needs cairo, pango and gdk-pixbuf only, opened by name:
    // drawing off screen needs neither GTK nor a display. A script that
    // draws no text and touches no image file never opens the last two.
    const raster::RasterApi raster = raster::loadCairoNowOrExit();

    // Declared before the turtle, whose images point to it.
    veskel::DrawingRecord record;
    turtle::TurtleState turtle(raster);
    try {
        if (opts.openPath.empty())
            veskel::startImage(turtle, opts.width, opts.height);
        else
            veskel::openStartImage(turtle, opts.openPath);
    } catch (const raster::RasterError& e) {
        veskel::tell(std::cerr, e.what());
        return 1;
    }
    // Only vector files and animations need the drawing's record; without
    // them nothing is recorded.
    const bool animate = !opts.animationPaths.empty();
    if (animate || veskel::needsRecord(opts.savePaths)) record.attach(turtle, animate);

    // The interpreter is destroyed first: its words refer to the turtle.
    auto in = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in, turtle);

    // Scripts on standard input are read through a buffer on the descriptor
    // itself: std::cin reads through stdio, where a read error (standard
    // input a directory, an I/O error) looks like the end of the input.
    __gnu_cxx::stdio_filebuf<char> stdinBuffer(STDIN_FILENO, std::ios::in);
    std::istream stdinStream(&stdinBuffer);
    int status = 0;
    if (!opts.replay.empty()) {
        try {
            veskel::replay(*in, turtle, script, std::cerr);
        } catch (const std::exception& e) {
            veskel::tell(std::cerr, opts.replay + ": " + e.what());
            return 1;
        }
    } else {
        // The script a saved PNG keeps: how the drawing started, then every
        // line that runs.
        script = opts.openPath.empty()
                     ? turtle::scriptStartLine(turtle::DrawingStart::StartImage, opts.width, opts.height)
                     : turtle::scriptStartLine(turtle::DrawingStart::Opened, turtle.image->width(),
                                               turtle.image->height(),
                                               std::filesystem::path(opts.openPath).filename().string());
        if (!opts.plan.empty()) {
            in->setInput(stdinStream);
            status = veskel::runPlan(*in, opts.plan, std::cerr, script);
        } else if (isatty(STDIN_FILENO)) {
            status = veskel::runInteractive(*in, script);
        } else {
            status = veskel::runScriptStream(*in, stdinStream, std::cerr, script);
        }
    }

    // Output that could not be written fails the run, and like any failed
    // run it saves nothing.
    if (!flushedStandardOutput()) return 1;
    // A failed run leaves a half-made picture: it is not written anywhere.
    if (status != 0) return status;
    status = veskel::saveImages(turtle, record.recorder(), opts.savePaths, std::cerr, script);
    return veskel::writeAnimations(raster, record, turtle::spritePose(turtle), opts.frameEvery,
                                   opts.animationPaths, std::cerr) | status;
}
