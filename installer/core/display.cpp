#include "installer/core/display.h"

namespace zembo {

DisplayState displays;

void setInstallDisplay(InstallDisplay* display) { displays.installDisplay = display; }

WindowHandle messageOwner() { return displays.installDisplay ? displays.installDisplay->messageOwner() : nullptr; }

}  // namespace zembo
