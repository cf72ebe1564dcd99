#include "replay.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

#include "drawing.h"
#include "turtle/drawing_script.h"
#include "raster/image.h"
#include "turtle/image_files.h"
#include "forth/line_runner.h"
#include "png_text.h"
#include "program_message.h"
#include "runner.h"
#include "raster/raster_error.h"
#include "veskel_limits.h"

namespace veskel {

std::string readPictureScript(const std::string& path) {
    PngText chunk;
    try {
        chunk = readPngText(path, turtle::kScriptKeyword, limits::kMaxPictureScriptBytes);
    } catch (const PngTextError& e) {
        throw ReplayError(e.what());
    }
    switch (chunk.found) {
    case PngTextFound::Text: return std::move(chunk.text);
    case PngTextFound::TooBig:
        throw ReplayError(path + " keeps a Veskel script too big to read (more than " +
                          std::to_string(limits::kMaxPictureScriptBytes) + " bytes)");
    case PngTextFound::NoText:
    case PngTextFound::NotPng: break;
    }
    throw ReplayError(path + " keeps no Veskel script");
}

namespace {

// Ends a stopped line's replay where the drawing's run was stopped.
struct StoppedHere {};

// Runs the line for exactly `steps` interpreter steps, or to its end if it
// ends sooner; the poll hook counts them off and stops it there.
void runFor(forth::Interp& in, std::string_view text, std::uint64_t steps) {
    constexpr std::uint64_t kMostAtOnce = UINT32_MAX;
    std::uint64_t left = steps;
    auto next = [&] {
        const std::uint64_t now = std::min(left, kMostAtOnce);
        left -= now;
        in.setPollCountdown(static_cast<std::uint32_t>(now));
    };
    forth::PollHook before = std::move(in.onPoll);
    in.onPoll = [&](forth::Interp& self) {
        if (left == 0) throw StoppedHere{};
        if (before) before(self);  // the stop key still works meanwhile
        next();
    };
    next();
    try {
        in.runLine(text);
    } catch (const StoppedHere&) {
        // Where the drawing stopped; what it did until then stays, as then.
    } catch (...) {
        in.onPoll = std::move(before);
        throw;
    }
    in.onPoll = std::move(before);
}

}  // namespace

void replay(forth::Interp& in, turtle::TurtleState& t, std::string_view script, std::ostream& err) {
    const std::vector<std::string_view> lines = forth::cutLines(script);
    const auto start = turtle::parseStartLine(lines.front());
    if (!start) throw ReplayError("the script does not say how its drawing started");
    if (lines.size() > 1 && turtle::isNotKeptNote(lines[1]))
        throw ReplayError("the picture keeps only the start of its script");

    startImage(t, start->width, start->height);
    if (start->how == turtle::DrawingStart::New) turtle::newImage(t);
    if (start->how == turtle::DrawingStart::Opened)
        tell(err, "the drawing started from the opened picture " + start->openedName +
                      ", which its script cannot bring back; replaying it on black");

    // After the start line; the count of lines taken is the line number.
    std::size_t taken = 1;
    const forth::LineSource next = forth::listLines(lines, taken);
    for (std::string_view line; next(line);) {
        // The whole position: an error inside a file the script included
        // left that file's name in it.
        in.setPosition({static_cast<std::int64_t>(taken), {}});
        try {
            if (const auto size = turtle::parseResizeNote(line))
                turtle::resizeImage(t, size->first, size->second);
            else if (const auto stop = turtle::parseStoppedNote(line))
                runFor(in, stop->text, stop->steps);
            else
                in.runLine(line);
        } catch (const std::exception& e) {
            // What the script printed comes before the report.
            in.flushOutput();
            err << forth::describeFailure(e, in) << std::endl;
        }
    }
    in.flushOutput();
}

}  // namespace veskel
