#include "installer/core/display.h"

namespace zembo {

InstallDisplay* installDisplay = nullptr;

WindowHandle messageOwner() { return installDisplay ? installDisplay->messageOwner() : nullptr; }

}  // namespace zembo
