// The open list: a min-heap on f = g + h with decrease-key. Equal f goes
// to the larger g first, which on open ground walks straight to the goal
// instead of widening over every cell of equal f. Each record keeps its
// heap position so decrease-key needs no search. The heap has four
// children a node: half the depth of a binary heap, with the children side
// by side in memory, so a pop moves fewer entries (and fewer positions).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "planning/node_record.h"

// 16 bytes, compared as integers without branches: f and g are never
// negative, and the bits of a non-negative float or double order as the
// numbers do. g only breaks ties, where a float's precision is plenty: any
// order among equal f keeps the search optimal.
struct OpenEntry {
    uint64_t f;    // the bits of f
    uint32_t tie;  // the bits of g as a float, inverted: larger g first
    int32_t id;
};

template <typename Store>
class OpenList {
public:
    void Clear() { heap_.clear(); }
    bool Empty() const { return heap_.empty(); }
    size_t Size() const { return heap_.size(); }
    // The least f; the list must not be empty.
    double TopF() const { return BitsAs<double>(heap_[0].f); }

    void Push(Store& store, int32_t id, double f, double g) {
        heap_.push_back(Entry(id, f, g));
        Up(store, heap_.size() - 1);
    }
    // The record is already open; its f and g have dropped.
    void Decrease(Store& store, int32_t id, double f, double g) {
        const auto pos = static_cast<size_t>(store[id].heapPos);
        heap_[pos] = Entry(id, f, g);
        Up(store, pos);
    }
    int32_t Pop(Store& store) {
        const int32_t top = heap_[0].id;
        store[top].heapPos = kClosed;
        const OpenEntry last = heap_.back();
        heap_.pop_back();
        if (!heap_.empty()) Down(store, last);
        return top;
    }

private:
    static constexpr size_t kArity = 4;

    // std::bit_cast's job; the browser build's C++ library has no bit_cast.
    template <typename To, typename From>
    static To BitsAs(const From& from) {
        static_assert(sizeof(To) == sizeof(From));
        To to;
        std::memcpy(&to, &from, sizeof to);
        return to;
    }

    static OpenEntry Entry(int32_t id, double f, double g) {
        // +0.0 for a zero of either sign, so that the bits order right.
        return OpenEntry{BitsAs<uint64_t>(f + 0.0), ~BitsAs<uint32_t>(static_cast<float>(g) + 0.0f), id};
    }
    static bool Before(const OpenEntry& a, const OpenEntry& b) {
        return (a.f < b.f) | ((a.f == b.f) & (a.tie < b.tie));
    }

    void Place(Store& store, size_t pos, const OpenEntry& e) {
        heap_[pos] = e;
        store[e.id].heapPos = static_cast<int32_t>(pos);
    }
    void Up(Store& store, size_t pos) {
        const OpenEntry e = heap_[pos];
        while (pos > 0) {
            const size_t parent = (pos - 1) / kArity;
            if (!Before(e, heap_[parent])) break;
            Place(store, pos, heap_[parent]);
            pos = parent;
        }
        Place(store, pos, e);
    }
    // Sinks e from the root into the place it belongs.
    void Down(Store& store, const OpenEntry& e) {
        const size_t n = heap_.size();
        const OpenEntry* h = heap_.data();
        size_t pos = 0;
        for (;;) {
            const size_t first = kArity * pos + 1;
            if (first >= n) break;
            size_t best = first;
            if (first + kArity <= n) {
                // All four there: pick the least by pairs, as selects.
                const size_t a = Before(h[first + 1], h[first]) ? first + 1 : first;
                const size_t b = Before(h[first + 3], h[first + 2]) ? first + 3 : first + 2;
                best = Before(h[b], h[a]) ? b : a;
            } else {
                for (size_t c = first + 1; c < n; ++c) best = Before(h[c], h[best]) ? c : best;
            }
            if (!Before(h[best], e)) break;
            Place(store, pos, h[best]);
            pos = best;
        }
        Place(store, pos, e);
    }

    std::vector<OpenEntry> heap_;
};
