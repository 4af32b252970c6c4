#include "planning/node_factory.h"

#include <limits>

void NodeFactory::BeginSearch(size_t cells) {
    if (records_.size() != cells) {
        records_.assign(cells, NodeRecord{0, -1, kNotOpen, 0, 0});
        search_ = 0;
    }
    ++search_;
    // Stamp 0 is what a fresh record holds: never a live search number.
    if (search_ == 0) {
        for (NodeRecord& r : records_) r.stamp = 0;
        search_ = 1;
    }
}

int32_t NodeFactory::Get(int32_t cell) {
    NodeRecord& r = records_[static_cast<size_t>(cell)];
    if (r.stamp != search_) r = NodeRecord{std::numeric_limits<double>::infinity(), -1, kNotOpen, search_, cell};
    return cell;
}
