// A heuristic that knows the walls. For a few landmark cells, the exact
// distance to every cell, found once by Dijkstra's search: for any two
// cells n and g, the triangle inequality makes |d(L, g) - d(L, n)| a lower
// bound of d(n, g) that never exceeds it and stays consistent, and where the
// walls make paths longer than the straight line (a grid with a fifth of its
// cells blocked: some 5% longer) it is much closer than the octile distance,
// so A* expands far fewer cells. Only for grids whose open cells all cost 1
// (there the distance is the same both ways); rebuilt whole after a cell
// opens or closes, a slice at a time (BuildSome) so that no one search
// waits for all of it.
//
// A distance on such a grid is a + b√2 for whole numbers of side steps a and
// diagonal steps b; they are kept as the two numbers, so the bound is
// computed the way the search computes its costs, with nothing rounded in
// the table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class LandmarkDistances {
public:
    static constexpr int kLandmarks = 8;
    struct Entry {
        int32_t sides[kLandmarks];  // -1: the landmark cannot reach the cell
        int32_t diagonals[kLandmarks];
    };
    // The largest grid worth the distances, in bytes of table.
    static constexpr size_t kMemoryBudget = size_t{64} << 20;
    static bool Fits(size_t cells) { return cells * sizeof(Entry) <= kMemoryBudget; }

    // Not ready until BuildSome has finished.
    LandmarkDistances(int width, int height);
    // Builds at once (for tests).
    LandmarkDistances(const uint8_t* masks, int width, int height);

    // Carries the building on for about budget cells (each cell taken from
    // a search's open list, or looked at once); true when ready. masks:
    // the steps the move rule allows out of each cell (bit k for
    // kStepDx[k], kStepDy[k]), the same at every call.
    bool BuildSome(const uint8_t* masks, int64_t budget);
    bool Ready() const { return landmark_ >= kLandmarks; }

    const Entry& Of(int32_t cell) const { return entries_[static_cast<size_t>(cell)]; }
    void Prefetch(int32_t cell) const { __builtin_prefetch(&entries_[static_cast<size_t>(cell)]); }

private:
    struct Item {
        double length;
        int32_t cell;
    };
    void BeginSearch(int32_t from);
    // Takes cells from the search under way; true when it has ended.
    bool SearchSome(const uint8_t* masks, int64_t& budget);

    int width_;
    size_t cells_;
    std::vector<Entry> entries_;
    // The building: landmark_ is the one being searched from (-1: the
    // search from the first open cell, which finds the first landmark).
    int landmark_ = -2;            // -2: not begun
    int32_t farthest_ = -1;        // the cell farthest from every landmark so far
    std::vector<double> nearest_;  // distance to the nearest landmark; -1 unreached
    // Dijkstra's search under way. With only two step costs (1 and √2) its
    // open list is two first-in-first-out queues, one for cells reached by
    // each kind of step: cells leave in order of distance, so each queue
    // fills in order of distance too, and the nearer of the two heads is
    // the next cell. No heap.
    std::vector<Item> queue_[2];
    size_t head_[2] = {0, 0};
    std::vector<int32_t> sides_;
    std::vector<int32_t> diagonals_;
    std::vector<double> length_;
};

// The lower bound between a cell and a goal whose entry is goal; 0 where
// no landmark reaches both.
inline double LandmarkBound(const LandmarkDistances::Entry& cell, const LandmarkDistances::Entry& goal) {
    constexpr double kRoot2 = 1.4142135623730951;
    double best = 0;
    for (int k = 0; k < LandmarkDistances::kLandmarks; ++k) {
        if (goal.sides[k] < 0 || cell.sides[k] < 0) continue;
        double d = (goal.sides[k] - cell.sides[k]) + kRoot2 * (goal.diagonals[k] - cell.diagonals[k]);
        d = d < 0 ? -d : d;
        best = d > best ? d : best;
    }
    return best;
}
