#include "planning/landmark_distances.h"

#include <queue>
#include <utility>

#include "planning/planner_grid.h"

namespace {

// Dijkstra's search from one cell over the move masks, every step costing
// 1 or √2: the side and diagonal steps of a shortest path to each cell.
void DistancesFrom(const uint8_t* masks, int width, size_t cells, int32_t from, std::vector<int32_t>& sides,
                   std::vector<int32_t>& diagonals, std::vector<double>& length) {
    sides.assign(cells, -1);
    diagonals.assign(cells, -1);
    length.assign(cells, -1);
    using Item = std::pair<double, int32_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    sides[static_cast<size_t>(from)] = 0;
    diagonals[static_cast<size_t>(from)] = 0;
    length[static_cast<size_t>(from)] = 0;
    open.push({0.0, from});
    while (!open.empty()) {
        const auto [d, cell] = open.top();
        open.pop();
        const auto c = static_cast<size_t>(cell);
        if (d > length[c]) continue;
        for (unsigned m = masks[cell]; m != 0; m &= m - 1) {
            const int k = __builtin_ctz(m);
            const int32_t next = cell + kStepDy[k] * width + kStepDx[k];
            const auto n = static_cast<size_t>(next);
            const int32_t a = sides[c] + (k < 4 ? 1 : 0);
            const int32_t b = diagonals[c] + (k < 4 ? 0 : 1);
            const double nd = a + kSqrt2 * b;
            if (length[n] >= 0 && nd >= length[n]) continue;
            sides[n] = a;
            diagonals[n] = b;
            length[n] = nd;
            open.push({nd, next});
        }
    }
}

}  // namespace

LandmarkDistances::LandmarkDistances(const uint8_t* masks, int width, int height) {
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    entries_.resize(cells);
    // Each landmark is the open cell farthest from those chosen so far
    // (the first: farthest from the first open cell), so they spread to
    // the grid's far ends, where they bound the most distances well.
    int32_t seed = -1;
    for (size_t c = 0; c < cells && seed < 0; ++c) {
        if (masks[c] != 0) seed = static_cast<int32_t>(c);
    }
    if (seed < 0) {
        for (Entry& e : entries_) {
            for (int k = 0; k < kLandmarks; ++k) e.sides[k] = e.diagonals[k] = -1;
        }
        return;
    }
    std::vector<int32_t> sides;
    std::vector<int32_t> diagonals;
    std::vector<double> length;
    DistancesFrom(masks, width, cells, seed, sides, diagonals, length);
    std::vector<double> nearest = length;  // to the nearest landmark so far; -1 unreached
    for (int k = 0; k < kLandmarks; ++k) {
        int32_t farthest = seed;
        for (size_t c = 0; c < cells; ++c) {
            if (nearest[c] > nearest[static_cast<size_t>(farthest)]) farthest = static_cast<int32_t>(c);
        }
        landmarks_.push_back(farthest);
        DistancesFrom(masks, width, cells, farthest, sides, diagonals, length);
        for (size_t c = 0; c < cells; ++c) {
            entries_[c].sides[k] = sides[c];
            entries_[c].diagonals[k] = diagonals[c];
            if (length[c] >= 0 && (k == 0 || length[c] < nearest[c])) nearest[c] = length[c];
        }
    }
}
