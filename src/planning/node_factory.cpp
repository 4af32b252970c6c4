#include "planning/node_factory.h"

void NodeFactory::BeginSearch(size_t cells) {
    if (records_.size() != cells) {
        records_.assign(cells, kFreshRecord);
        search_ = 0;
    }
    ++search_;
    // Stamp 0 is what a fresh record holds: never a live search number.
    if (search_ == 0) {
        for (NodeRecord& r : records_) r.stamp = 0;
        search_ = 1;
    }
}
