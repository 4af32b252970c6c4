// What a search knows of one cell. The stamp says whether the record
// belongs to the search under way (NodeFactory's search number): one cache
// line holds all a search reads of a cell when it meets it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>

struct NodeRecord {
    double g;         // the cost of the best path found to the cell
    int32_t parent;   // the cell it came from, -1 at the start
    int32_t heapPos;  // its place in the open list; kNotOpen, kClosed or kNext
    uint32_t stamp;   // NodeFactory's search number (NodeHashTable's are all current)
    uint8_t arrival;  // the step (kStepDx/kStepDy index) it was entered by; kNoArrival at the start
};

inline constexpr int32_t kNotOpen = -1;
inline constexpr int32_t kClosed = -2;
// Open, but with the least f there is: it is expanded next, without the heap.
inline constexpr int32_t kNext = -3;
inline constexpr uint8_t kNoArrival = 8;
inline constexpr NodeRecord kFreshRecord{std::numeric_limits<double>::infinity(), -1, kNotOpen, 0, kNoArrival};
