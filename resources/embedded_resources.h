// The program's compiled resources (resources/portelia.rc through windres),
// linked into the program by the portelia_resources library.
#pragma once

#include <cstddef>

extern "C" const unsigned char portelia_resources[];
extern "C" const size_t portelia_resources_size;
