// What a search knows of one cell. A record is current only when its stamp
// is the search number of the search under way.
#pragma once
#include <cstddef>
#include <cstdint>

struct NodeRecord {
    double g;         // the cost of the best path found to the cell
    int32_t parent;   // the cell it came from, -1 at the start
    int32_t heapPos;  // its place in the open list; kNotOpen or kClosed
    uint32_t stamp;
    int32_t cell;
};

inline constexpr int32_t kNotOpen = -1;
inline constexpr int32_t kClosed = -2;
