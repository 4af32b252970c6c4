// Node records for grids too large for NodeFactory's dense array: records
// in the order the search meets cells, found by cell through an
// open-addressing table (linear probing) that doubles when half full.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planning/node_record.h"

class NodeHashTable {
public:
    void BeginSearch(size_t cells);
    int32_t Get(int32_t cell);
    int32_t Find(int32_t cell) const;
    int32_t CellOf(int32_t id) const { return cells_[static_cast<size_t>(id)]; }
    void Prefetch(int32_t) const {}
    NodeRecord& operator[](int32_t id) { return records_[static_cast<size_t>(id)]; }
    const NodeRecord& operator[](int32_t id) const { return records_[static_cast<size_t>(id)]; }
    size_t Count() const { return records_.size(); }

private:
    size_t Slot(int32_t cell) const;
    void Grow();

    std::vector<NodeRecord> records_;
    std::vector<int32_t> cells_;  // the cell of each record
    std::vector<int32_t> table_;  // record ids, -1 empty
    size_t mask_ = 0;
};
