#include "program_message.h"

#include <ostream>

namespace veskel {

void tell(std::ostream& err, std::string_view message) { err << "veskel: " << message << std::endl; }

}  // namespace veskel
