// The kernel's tone and wave playback.
#pragma once
#include "platform/win32_types.h"
