#include <malloc.h>

#include "testkit/heap_in_use.h"

namespace testkit {

// The C runtime's heap, block by block: slow, but asked only a few times a run.
size_t HeapInUse() {
    _HEAPINFO entry{};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return used;
}

}  // namespace testkit
