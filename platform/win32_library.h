// Run-time library loading and shell folders.
#pragma once
#include "platform/win32_types.h"
