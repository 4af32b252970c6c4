#include "planning/astar_planner.h"

#include <cstdlib>
#include <limits>

#include "planning/fixed_deque.h"
#include "planning/jump_point_search.h"

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
    // Nearest-cell mode orders by path length alone, which jumps cannot.
    hScale_ = nearestMode_ ? 0 : grid.CheapestCost();
    diagonal_ = grid.Moves() == MoveRule::Four ? 2 : kSqrt2;
    jumping_ = jumpsAllowed_ && !nearestMode_ && grid.Moves() == MoveRule::EightNoCorners && grid.AllOpenCostOne();
    jumpTable_ = jumping_ ? grid.Jumps() : nullptr;
    // Nearest-cell mode has no heuristic to better.
    landmarks_ = nearestMode_ ? nullptr : grid.Landmarks();
    if (landmarks_ != nullptr) goalEntry_ = landmarks_->Of(goal);
    const double h = Estimate(start, start % grid.Width(), start / grid.Width());
    const auto cells = static_cast<size_t>(grid.Cells());
    useDense_ = !alwaysHashed_ && NodeFactory::Fits(cells);
    status_ = Status::Searching;
    next_.clear();
    if (useDense_) {
        dense_.BeginSearch(cells);
        denseOpen_.Clear();
        const int32_t id = dense_.Get(start);
        dense_[id].g = 0;
        denseOpen_.Push(dense_, id, h, 0);
    } else {
        hashed_.BeginSearch(cells);
        hashedOpen_.Clear();
        const int32_t id = hashed_.Get(start);
        hashed_[id].g = 0;
        hashedOpen_.Push(hashed_, id, h, 0);
    }
    return status_;
}

AStarPlanner::Status AStarPlanner::Step(const PlannerGrid& grid, int64_t maxExpansions) {
    if (status_ != Status::Searching) return status_;
    const int64_t before = expansions_;
    if (jumping_) {
        if (useDense_) {
            Run<true>(dense_, denseOpen_, grid, maxExpansions);
        } else {
            Run<true>(hashed_, hashedOpen_, grid, maxExpansions);
        }
    } else if (useDense_) {
        Run<false>(dense_, denseOpen_, grid, maxExpansions);
    } else {
        Run<false>(hashed_, hashedOpen_, grid, maxExpansions);
    }
    grid.CountSearchWork(expansions_ - before);
    return status_;
}

void AStarPlanner::Cancel() {
    if (status_ == Status::Searching) status_ = Status::NoPath;
}

template <bool Jumping, typename Store>
AStarPlanner::Status AStarPlanner::Run(Store& store, OpenList<Store>& open, const PlannerGrid& grid,
                                       int64_t maxExpansions) {
    const int width = grid.Width();
    const uint8_t* masks = grid.MoveMasks();
    int32_t offsets[8];
    for (int k = 0; k < 8; ++k) offsets[k] = kStepDy[k] * width + kStepDx[k];
    for (int64_t done = 0; done < maxExpansions; ++done) {
        if (open.Empty() && next_.empty()) {
            if (nearestMode_) {
                Rebuild(store, nearestCell_, width);
                return status_ = Status::Found;
            }
            return status_ = Status::NoPath;
        }
        int32_t id;
        if (!next_.empty()) {
            id = next_.back();
            next_.pop_back();
            store[id].heapPos = kClosed;
        } else {
            leastF_ = open.TopF();
            id = open.Pop(store);
        }
        ++expansions_;
        const int32_t cell = store.CellOf(id);
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
            Rebuild(store, cell, width);
            reachedGoal_ = true;
            return status_ = Status::Found;
        }
        // Offers the cell next (entered by step k) at cost ng, at (nx, ny).
        auto relax = [&](int32_t next, int k, double ng, int nx, int ny) {
            const int32_t nid = store.Get(next);
            NodeRecord& n = store[nid];
            if (n.heapPos == kClosed || n.heapPos == kNext || ng >= n.g) return;
            n.g = ng;
            n.parent = cell;
            n.arrival = static_cast<uint8_t>(k);
            if constexpr (Jumping) {
                if (jumpTable_ != nullptr) jumpTable_->Prefetch(next);
            }
            const double f = ng + Estimate(next, nx, ny);
            if (n.heapPos == kNotOpen && f <= leastF_) {
                n.heapPos = kNext;
                next_.push_back(nid);
            } else if (n.heapPos == kNotOpen) {
                open.Push(store, nid, f, ng);
            } else {
                open.Decrease(store, nid, f, ng);
            }
        };
        if constexpr (!Jumping) {
            for (unsigned mask = masks[cell]; mask != 0; mask &= mask - 1) {
                const int k = __builtin_ctz(mask);
                const int32_t next = cell + offsets[k];
                const uint8_t cost = grid.Cost(next);
                relax(next, k, g + (k >= 4 ? kSqrt2 * cost : cost), x + kStepDx[k], y + kStepDy[k]);
            }
        } else if (jumpTable_ != nullptr) {
            // All the jumps first, each target's record fetched as it is
            // found, then the offers: the reads of the table hide the wait.
            found_.clear();
            ExpandWithTable(masks, width, cell, x, y, g, store[id].arrival,
                            [&](int32_t next, int k, double ng, int nx, int ny) {
                                store.Prefetch(next);
                                if (landmarks_ != nullptr) landmarks_->Prefetch(next);
                                found_.push_back(Found{next, k, ng, nx, ny});
                            });
            for (const Found& f : found_) relax(f.next, f.k, f.g, f.x, f.y);
        } else {
            // Jumps first, all of them, each record fetched as its jump ends:
            // the next jumps' scanning hides the wait for far-off records.
            int32_t jumpTo[8];
            int32_t jumpSteps[8];
            const unsigned turns = jump_point_search::Successors(masks, width, cell, store[id].arrival);
            unsigned found = 0;
            for (unsigned m = turns; m != 0; m &= m - 1) {
                const int k = __builtin_ctz(m);
                jumpTo[k] = jump_point_search::Jump(masks, width, cell, k, goal_, jumpSteps[k]);
                if (jumpTo[k] < 0) continue;
                store.Prefetch(jumpTo[k]);
                found |= 1u << k;
            }
            for (; found != 0; found &= found - 1) {
                const int k = __builtin_ctz(found);
                const int32_t steps = jumpSteps[k];
                relax(jumpTo[k], k, g + (k >= 4 ? kSqrt2 * steps : steps), x + kStepDx[k] * steps,
                      y + kStepDy[k] * steps);
            }
        }
    }
    return status_;
}

template <typename Relax>
void AStarPlanner::ExpandWithTable(const uint8_t* masks, int width, int32_t cell, int x, int y, double g, int arrival,
                                   Relax relax) {
    const unsigned turns = jump_point_search::Successors(masks, width, cell, arrival);
    for (unsigned m = turns & 0x0fu; m != 0; m &= m - 1) {
        const int k = __builtin_ctz(m);
        int32_t steps = 0;
        const int32_t to = jumpTable_->Jump(cell, x, y, k, goalX_, goalY_, steps);
        if (to >= 0) relax(to, k, g + steps, x + kStepDx[k] * steps, y + kStepDy[k] * steps);
    }
    // A diagonal jump point is passed, not expanded: its successors are the
    // diagonal going on and the straight jumps from it, so they are offered
    // here, each as one move (diagonal, then straight) from this cell. The
    // open list never holds the diagonal points, and the lengths stay
    // optimal: every path through one is still offered.
    for (unsigned m = turns & 0xf0u; m != 0; m &= m - 1) {
        const int k = __builtin_ctz(m);
        const int dx = kStepDx[k];
        const int dy = kStepDy[k];
        const int kx = dx > 0 ? 0 : 1;
        const int ky = dy > 0 ? 2 : 3;
        int32_t at = cell;
        int ax = x;
        int ay = y;
        int32_t diagonal = 0;
        int32_t steps = 0;
        while ((at = jumpTable_->Jump(at, ax, ay, k, goalX_, goalY_, steps)) >= 0) {
            diagonal += steps;
            ax += dx * steps;
            ay += dy * steps;
            const double gAt = g + kSqrt2 * diagonal;
            if (at == goal_) {
                relax(at, k, gAt, ax, ay);
                break;
            }
            int32_t straight = 0;
            const int32_t across = jumpTable_->Jump(at, ax, ay, kx, goalX_, goalY_, straight);
            if (across >= 0) relax(across, kx, gAt + straight, ax + dx * straight, ay);
            const int32_t along = jumpTable_->Jump(at, ax, ay, ky, goalX_, goalY_, straight);
            if (along >= 0) relax(along, ky, gAt + straight, ax, ay + dy * straight);
        }
    }
}

template <typename Store>
void AStarPlanner::Rebuild(const Store& store, int32_t end, int width) {
    // Every cell (or jump point) of the path was expanded, so the
    // expansions bound it.
    FixedDeque<int32_t> cells(static_cast<size_t>(expansions_) + 1);
    for (int32_t c = end; c >= 0; c = store[store.Find(c)].parent) cells.PushFront(c);
    path_.assign(cells.Size(), 0);
    for (size_t i = 0; i < cells.Size(); ++i) path_[i] = cells[i];
    if (jumping_) path_ = jump_point_search::Expand(path_, width);
    length_ = store[store.Find(end)].g;
}
