// Where everything the printing words print goes. The interpreter writes
// through one sink and the front end chooses it: standard output for veskel,
// the console's output area for the drawing program, a string in tests.
#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>

namespace forth {

struct OutputSink {
    // Adds text after what was printed before.
    std::function<void(std::string_view)> write;
    // Makes what was written visible (before a wait for input, or once a
    // listing is complete); empty when the sink shows text by itself.
    std::function<void()> flush;
};

// A sink writing to `stream`, which must outlive it.
OutputSink streamSink(std::ostream& stream);

}  // namespace forth
