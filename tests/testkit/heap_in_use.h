// Bytes the C/C++ heap holds for the program now, for tests that watch the
// heap stay flat over a long run.
#pragma once
#include <cstddef>

namespace testkit {

size_t HeapInUse();

}  // namespace testkit
