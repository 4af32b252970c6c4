// Node records for every cell of a grid in one dense array, indexed by
// cell. Records are stamped with the search number, so starting a search is
// one increment; only when the number wraps round are the stamps cleared.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planning/node_record.h"

class NodeFactory {
public:
    // The largest grid the dense array serves; larger grids use
    // NodeHashTable, which holds records only for the cells a search meets.
    static constexpr size_t kMemoryBudget = size_t{64} << 20;
    static bool Fits(size_t cells) { return cells * sizeof(NodeRecord) <= kMemoryBudget; }

    // Sizes the array for a grid of this many cells and starts a search.
    void BeginSearch(size_t cells);
    // The cell's record, made current (g infinite, not open) if it was not.
    int32_t Get(int32_t cell) {
        NodeRecord& r = records_[static_cast<size_t>(cell)];
        if (r.stamp != search_) r = NodeRecord{kFreshRecord.g, -1, kNotOpen, search_, kNoArrival};
        return cell;
    }
    // The cell's record if the current search has met the cell, else -1.
    int32_t Find(int32_t cell) const { return records_[static_cast<size_t>(cell)].stamp == search_ ? cell : -1; }
    static int32_t CellOf(int32_t id) { return id; }
    // Starts fetching a cell's record, which a jump may have found far off.
    void Prefetch(int32_t cell) const { __builtin_prefetch(&records_[static_cast<size_t>(cell)]); }
    NodeRecord& operator[](int32_t id) { return records_[static_cast<size_t>(id)]; }
    const NodeRecord& operator[](int32_t id) const { return records_[static_cast<size_t>(id)]; }

    uint32_t SearchNumber() const { return search_; }
    // Lets a test bring the wrap-round near.
    void SetSearchNumber(uint32_t number) { search_ = number; }

private:
    std::vector<NodeRecord> records_;
    uint32_t search_ = 0;
};
