#include "planning/landmark_distances.h"

#include <limits>

#include "planning/planner_grid.h"

LandmarkDistances::LandmarkDistances(int width, int height)
    : width_(width), cells_(static_cast<size_t>(width) * static_cast<size_t>(height)) {}

LandmarkDistances::LandmarkDistances(const uint8_t* masks, int width, int height) : LandmarkDistances(width, height) {
    BuildSome(masks, std::numeric_limits<int64_t>::max());
}

void LandmarkDistances::BeginSearch(int32_t from) {
    sides_.assign(cells_, -1);
    diagonals_.assign(cells_, -1);
    length_.assign(cells_, -1);
    for (auto& q : queue_) q.clear();
    head_[0] = head_[1] = 0;
    sides_[static_cast<size_t>(from)] = 0;
    diagonals_[static_cast<size_t>(from)] = 0;
    length_[static_cast<size_t>(from)] = 0;
    queue_[0].push_back({0.0, from});
}

bool LandmarkDistances::SearchSome(const uint8_t* masks, int64_t& budget) {
    for (; budget > 0; --budget) {
        const bool sideLeft = head_[0] < queue_[0].size();
        const bool diagonalLeft = head_[1] < queue_[1].size();
        if (!sideLeft && !diagonalLeft) return true;
        const int q = !sideLeft || (diagonalLeft && queue_[1][head_[1]].length < queue_[0][head_[0]].length) ? 1 : 0;
        const Item item = queue_[q][head_[q]++];
        const auto c = static_cast<size_t>(item.cell);
        if (item.length > length_[c]) continue;
        // The cell's distance is final: into the table, and into the
        // search for the next landmark.
        if (landmark_ >= 0) {
            entries_[c].sides[landmark_] = sides_[c];
            entries_[c].diagonals[landmark_] = diagonals_[c];
        }
        if (landmark_ <= 0 || item.length < nearest_[c]) nearest_[c] = item.length;
        if (farthest_ < 0 || nearest_[c] > nearest_[static_cast<size_t>(farthest_)]) farthest_ = item.cell;
        for (unsigned m = masks[item.cell]; m != 0; m &= m - 1) {
            const int k = __builtin_ctz(m);
            const int32_t next = item.cell + kStepDy[k] * width_ + kStepDx[k];
            const auto n = static_cast<size_t>(next);
            const int32_t a = sides_[c] + (k < 4 ? 1 : 0);
            const int32_t b = diagonals_[c] + (k < 4 ? 0 : 1);
            const double nd = a + kSqrt2 * b;
            if (length_[n] >= 0 && nd >= length_[n]) continue;
            sides_[n] = a;
            diagonals_[n] = b;
            length_[n] = nd;
            queue_[k < 4 ? 0 : 1].push_back({nd, next});
        }
    }
    return false;
}

bool LandmarkDistances::BuildSome(const uint8_t* masks, int64_t budget) {
    if (landmark_ == -2) {
        // Every entry unreached until a landmark's search reaches it.
        Entry none;
        for (int k = 0; k < kLandmarks; ++k) none.sides[k] = none.diagonals[k] = -1;
        entries_.assign(cells_, none);
        nearest_.assign(cells_, -1);
        budget -= static_cast<int64_t>(cells_);
        int32_t seed = -1;
        for (size_t c = 0; c < cells_ && seed < 0; ++c) {
            if (masks[c] != 0) seed = static_cast<int32_t>(c);
        }
        if (seed < 0) {
            landmark_ = kLandmarks;  // nothing to reach: every bound 0
            return true;
        }
        landmark_ = -1;
        BeginSearch(seed);
    }
    // Each landmark is the cell farthest from those chosen so far (the
    // first: farthest from the first open cell), so they spread to the
    // grid's far ends, where they bound the most distances well.
    while (!Ready() && budget > 0) {
        if (!SearchSome(masks, budget)) break;
        ++landmark_;
        if (Ready()) break;
        const int32_t next = farthest_;
        farthest_ = -1;
        BeginSearch(next);
        budget -= static_cast<int64_t>(cells_);
    }
    if (Ready()) {
        for (auto& q : queue_) std::vector<Item>().swap(q);
        std::vector<int32_t>().swap(sides_);
        std::vector<int32_t>().swap(diagonals_);
        std::vector<double>().swap(length_);
        std::vector<double>().swap(nearest_);
    }
    return Ready();
}
