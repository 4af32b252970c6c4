#include "planning/astar_planner.h"

#include <cstdlib>
#include <limits>

#include "planning/fixed_deque.h"

double AStarPlanner::Heuristic(const PlannerGrid& grid, int x, int y) const {
    if (nearestMode_) return 0;
    const int dx = std::abs(x - goalX_);
    const int dy = std::abs(y - goalY_);
    if (grid.Moves() == MoveRule::Four) return hScale_ * (dx + dy);
    const int lo = dx < dy ? dx : dy;
    const int hi = dx < dy ? dy : dx;
    return hScale_ * ((hi - lo) + kSqrt2 * lo);
}

AStarPlanner::Status AStarPlanner::Start(const PlannerGrid& grid, int32_t start, int32_t goal, bool partial) {
    path_.clear();
    length_ = -1;
    reachedGoal_ = false;
    expansions_ = 0;
    nearestMode_ = false;
    goal_ = goal;
    goalX_ = goal % grid.Width();
    goalY_ = goal / grid.Width();
    status_ = Status::NoPath;
    if (grid.Cost(start) == 0) return status_;
    if (start == goal) {
        path_.push_back(start);
        length_ = 0;
        reachedGoal_ = true;
        return status_ = Status::Found;
    }
    if (grid.Cost(goal) == 0 || grid.Region(start) != grid.Region(goal)) {
        if (!partial) return status_;
        // Every reachable cell in order of path length: the first closed at
        // the least distance to the goal is the nearest by path length too.
        nearestMode_ = true;
        nearestDistance_ = std::numeric_limits<int64_t>::max();
        nearestCell_ = start;
    }
    hScale_ = grid.CheapestCost();
    const auto cells = static_cast<size_t>(grid.Cells());
    useDense_ = !alwaysHashed_ && NodeFactory::Fits(cells);
    status_ = Status::Searching;
    if (useDense_) {
        dense_.BeginSearch(cells);
        denseOpen_.Clear();
        const int32_t id = dense_.Get(start);
        dense_[id].g = 0;
        denseOpen_.Push(dense_, id, Heuristic(grid, start % grid.Width(), start / grid.Width()), 0);
    } else {
        hashed_.BeginSearch(cells);
        hashedOpen_.Clear();
        const int32_t id = hashed_.Get(start);
        hashed_[id].g = 0;
        hashedOpen_.Push(hashed_, id, Heuristic(grid, start % grid.Width(), start / grid.Width()), 0);
    }
    return status_;
}

AStarPlanner::Status AStarPlanner::Step(const PlannerGrid& grid, int64_t maxExpansions) {
    if (status_ != Status::Searching) return status_;
    return useDense_ ? Run(dense_, denseOpen_, grid, maxExpansions) : Run(hashed_, hashedOpen_, grid, maxExpansions);
}

void AStarPlanner::Cancel() {
    if (status_ == Status::Searching) status_ = Status::NoPath;
}

template <typename Store>
AStarPlanner::Status AStarPlanner::Run(Store& store, OpenList<Store>& open, const PlannerGrid& grid,
                                       int64_t maxExpansions) {
    const int width = grid.Width();
    const uint8_t* masks = grid.MoveMasks();
    int32_t offsets[8];
    for (int k = 0; k < 8; ++k) offsets[k] = kStepDy[k] * width + kStepDx[k];
    for (int64_t done = 0; done < maxExpansions; ++done) {
        if (open.Empty()) {
            if (nearestMode_) {
                Rebuild(store, nearestCell_);
                return status_ = Status::Found;
            }
            return status_ = Status::NoPath;
        }
        const int32_t id = open.Pop(store);
        ++expansions_;
        const int32_t cell = store[id].cell;
        const double g = store[id].g;
        const int x = cell % width;
        const int y = cell / width;
        if (nearestMode_) {
            const int64_t dx = x - goalX_;
            const int64_t dy = y - goalY_;
            if (dx * dx + dy * dy < nearestDistance_) {
                nearestDistance_ = dx * dx + dy * dy;
                nearestCell_ = cell;
            }
        } else if (cell == goal_) {
            Rebuild(store, cell);
            reachedGoal_ = true;
            return status_ = Status::Found;
        }
        for (unsigned mask = masks[cell]; mask != 0; mask &= mask - 1) {
            const int k = __builtin_ctz(mask);
            const int nx = x + kStepDx[k];
            const int ny = y + kStepDy[k];
            const int32_t next = cell + offsets[k];
            const uint8_t cost = grid.Cost(next);
            const double ng = g + (k >= 4 ? kSqrt2 * cost : cost);
            const int32_t nid = store.Get(next);
            NodeRecord& n = store[nid];
            if (n.heapPos == kClosed || ng >= n.g) continue;
            n.g = ng;
            n.parent = cell;
            const double f = ng + Heuristic(grid, nx, ny);
            if (n.heapPos == kNotOpen) {
                open.Push(store, nid, f, ng);
            } else {
                open.Decrease(store, nid, f, ng);
            }
        }
    }
    return status_;
}

template <typename Store>
void AStarPlanner::Rebuild(const Store& store, int32_t end) {
    // Every cell of the path was expanded, so the expansions bound it.
    FixedDeque<int32_t> cells(static_cast<size_t>(expansions_) + 1);
    for (int32_t c = end; c >= 0; c = store[store.Find(c)].parent) cells.PushFront(c);
    path_.assign(cells.Size(), 0);
    for (size_t i = 0; i < cells.Size(); ++i) path_[i] = cells[i];
    length_ = store[store.Find(end)].g;
}
