#include "planning/node_hash_table.h"

#include <algorithm>

namespace {
constexpr size_t kFirstTableSize = 1024;
}

void NodeHashTable::BeginSearch(size_t) {
    records_.clear();
    cells_.clear();
    // A huge table left by a long search would make every later start slow.
    if (table_.size() != kFirstTableSize) {
        table_.assign(kFirstTableSize, -1);
        table_.shrink_to_fit();
    } else {
        std::fill(table_.begin(), table_.end(), -1);
    }
    mask_ = kFirstTableSize - 1;
}

size_t NodeHashTable::Slot(int32_t cell) const {
    // Fibonacci hashing spreads the neighbouring cells a search meets.
    return static_cast<size_t>((static_cast<uint64_t>(static_cast<uint32_t>(cell)) * 0x9E3779B97F4A7C15ull) >> 20) &
           mask_;
}

int32_t NodeHashTable::Find(int32_t cell) const {
    for (size_t s = Slot(cell);; s = (s + 1) & mask_) {
        const int32_t id = table_[s];
        if (id < 0) return -1;
        if (cells_[static_cast<size_t>(id)] == cell) return id;
    }
}

int32_t NodeHashTable::Get(int32_t cell) {
    size_t s = Slot(cell);
    for (;; s = (s + 1) & mask_) {
        const int32_t id = table_[s];
        if (id < 0) break;
        if (cells_[static_cast<size_t>(id)] == cell) return id;
    }
    const auto id = static_cast<int32_t>(records_.size());
    records_.push_back(kFreshRecord);
    cells_.push_back(cell);
    table_[s] = id;
    if (records_.size() * 2 > table_.size()) Grow();
    return id;
}

void NodeHashTable::Grow() {
    table_.assign(table_.size() * 2, -1);
    mask_ = table_.size() - 1;
    for (size_t id = 0; id < records_.size(); ++id) {
        size_t s = Slot(cells_[id]);
        while (table_[s] >= 0) s = (s + 1) & mask_;
        table_[s] = static_cast<int32_t>(id);
    }
}
