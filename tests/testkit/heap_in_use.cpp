#include "testkit/heap_in_use.h"

#if defined(__SANITIZE_ADDRESS__)
// Declared here: g++ ships no sanitizer/allocator_interface.h.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace testkit {

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

}  // namespace testkit
