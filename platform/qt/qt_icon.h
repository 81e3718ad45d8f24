// Icons of the program's resources as Qt icons.
#pragma once

#include <QIcon>

#include "platform/win32_types.h"

namespace platform::qt {

// The icon that LoadImageA made (a module's icon resource, whose image is a
// DIB as icon resources store it); a null icon when there is none.
QIcon icon_of(HICON icon);

}  // namespace platform::qt
