// The open list: a binary min-heap on f = g + h with decrease-key. Equal f
// goes to the larger g first, which on open ground walks straight to the
// goal instead of widening over every cell of equal f. Each record keeps
// its heap position so decrease-key needs no search.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "planning/node_record.h"

struct OpenEntry {
    double f;
    double g;
    int32_t id;
};

template <typename Store>
class OpenList {
public:
    void Clear() { heap_.clear(); }
    bool Empty() const { return heap_.empty(); }
    size_t Size() const { return heap_.size(); }

    void Push(Store& store, int32_t id, double f, double g) {
        heap_.push_back(OpenEntry{f, g, id});
        Up(store, heap_.size() - 1);
    }
    // The record is already open; its f and g have dropped.
    void Decrease(Store& store, int32_t id, double f, double g) {
        const auto pos = static_cast<size_t>(store[id].heapPos);
        heap_[pos].f = f;
        heap_[pos].g = g;
        Up(store, pos);
    }
    int32_t Pop(Store& store) {
        const int32_t top = heap_[0].id;
        store[top].heapPos = kClosed;
        const OpenEntry last = heap_.back();
        heap_.pop_back();
        if (!heap_.empty()) {
            heap_[0] = last;
            Down(store, 0);
        }
        return top;
    }

private:
    static bool Before(const OpenEntry& a, const OpenEntry& b) { return a.f < b.f || (a.f == b.f && a.g > b.g); }

    void Place(Store& store, size_t pos, const OpenEntry& e) {
        heap_[pos] = e;
        store[e.id].heapPos = static_cast<int32_t>(pos);
    }
    void Up(Store& store, size_t pos) {
        const OpenEntry e = heap_[pos];
        while (pos > 0) {
            const size_t parent = (pos - 1) / 2;
            if (!Before(e, heap_[parent])) break;
            Place(store, pos, heap_[parent]);
            pos = parent;
        }
        Place(store, pos, e);
    }
    void Down(Store& store, size_t pos) {
        const OpenEntry e = heap_[pos];
        const size_t n = heap_.size();
        for (;;) {
            size_t child = 2 * pos + 1;
            if (child >= n) break;
            if (child + 1 < n && Before(heap_[child + 1], heap_[child])) ++child;
            if (!Before(heap_[child], e)) break;
            Place(store, pos, heap_[child]);
            pos = child;
        }
        Place(store, pos, e);
    }

    std::vector<OpenEntry> heap_;
};
