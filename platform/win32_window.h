// Windows, messages, timers, controls, dialogs, menus, painting and resources.
#pragma once
#include "platform/win32_types.h"
