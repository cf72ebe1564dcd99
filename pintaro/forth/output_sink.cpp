#include "output_sink.h"

#include <ostream>

namespace forth {

OutputSink streamSink(std::ostream& stream) {
    return {[&stream](std::string_view text) { stream << text; }, [&stream] { stream.flush(); }};
}

}  // namespace forth
