// Running text line by line: the one loop behind `included`, veskel's
// script files and standard input, and the console's Run. Where the text
// comes from (a file, a stream, the editor) is the source's business; the
// line counter, the order of running and the error's position are the
// runner's.
#pragma once

#include <exception>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "interp.h"

namespace forth {

// Hands out the next line without its line end, or returns false at the
// end. The view stays valid until the next call. May throw (a read error).
using LineSource = std::function<bool(std::string_view& line)>;

// Sees each line just before it runs (to keep a copy of what ran).
using LineObserver = std::function<void(std::string_view line)>;

// Sets the position to line 1 of `file` (empty: a front end's own text),
// then runs each line (`runLine`) and adds 1 to the counter after it. The
// first error propagates with the position at the failing line; nothing is
// caught or rolled back. Notes where a block, text, comment or definition
// left open at the end of a line began (see requireClosed).
void runLines(Interp& in, const LineSource& next, const LineObserver& observe = {}, std::string_view file = {});

// Lines of a file or stream: a line ends at a line feed, and a carriage
// return directly before it is dropped; a last line without a line feed
// still counts, an empty rest after the last one does not. When the stream
// fails to read (a directory, an I/O error) the source raises "cannot read: "
// and `name`. The stream must outlive the source.
LineSource streamLines(std::istream& stream, std::string name);

// Lines of an editor's text: a line ends at CR, LF or CR LF, and the text
// after the last line end is one more line even when empty, so "" is one
// empty line and "a\n" is "a" and "".
std::vector<std::string_view> cutLines(std::string_view text);

// Lines of a list (an editor's text cut by cutLines, a picture's script),
// from index `taken` on. Each line handed out adds 1 to `taken`, so after a
// failure the failing line is lines[taken - 1]. The list and the counter
// must outlive the source.
LineSource listLines(const std::vector<std::string_view>& lines, std::size_t& taken);

// A script file as a front end runs it (veskel's file arguments): runLines
// from line 1 of the front end's own text. Raises "cannot open: PATH" (at
// line 1) and "cannot read: PATH".
void runFile(Interp& in, const std::string& path, const LineObserver& observe = {});

// What `included` does: runs the file from its line 1, with the file's name
// in the position, then gives the includer back its own position, so that
// the lines after an include are counted right. An error inside the file
// keeps the file's position for the report; "cannot open: PATH" is reported
// at the includer's line.
void includeFile(Interp& in, const std::string& path);

// What collecting was begun with: "[", "{", "(", "/*", ":NAME" for a
// definition; empty when nothing is being collected.
std::string openConstruct(const Interp& in);

// At the end of a script: raises a script error when collecting is still
// going on, naming what is open ("unclosed [ (no ] before the end of the
// input)", "unclosed :sq (no ; ...)") with the position set to where it
// began.
void requireClosed(Interp& in);

// "line N", or "line N of FILE" inside an included file.
std::string describePosition(const SourcePosition& where);

// "MESSAGE at line N" (forth::errorText, then the position): how the front
// ends that count lines report a failed run.
std::string describeFailure(const std::exception& e, const Interp& in);

}  // namespace forth
