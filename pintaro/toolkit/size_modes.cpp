#include "size_modes.h"

#include "toolkit_limits.h"

namespace toolkit {

int scaleToScreen(int value) { return value * limits::kScreenResolution / 96; }

}  // namespace toolkit
