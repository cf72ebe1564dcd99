// Running text line by line: the one loop behind `included`, veskel's
// script files and standard input, and the console's Run. Where the text
// comes from (a file, a stream, the editor) is the source's business; the
// line counter and the order of running are the runner's.
#pragma once

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

// Sets the line counter to 1, then runs each line (`runWords` on
// `splitWords`) and adds 1 after it. The first error propagates with the
// counter at the failing line; nothing is caught or rolled back.
void runLines(Interp& in, const LineSource& next, const LineObserver& observe = {});

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

// The file named `path` run by runLines: what `included` does. Raises
// "cannot open: PATH" and "cannot read: PATH".
void runFile(Interp& in, const std::string& path, const LineObserver& observe = {});

}  // namespace forth
