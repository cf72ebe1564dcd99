#include "errors.h"

#include <new>

namespace forth {

std::string errorText(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return kOutOfMemoryMessage;
    return e.what();
}

}  // namespace forth
