// A library with only two of the reader library's entry points.
#include "tests/reader/fake_library_script.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

FAKE_EXPORT int initialize_library() {
  return ++fake_library()->calls[fake_initialize];
}
FAKE_EXPORT int dispose_library() {
  return ++fake_library()->calls[fake_dispose];
}
