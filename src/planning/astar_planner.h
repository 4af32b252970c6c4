// A* over a PlannerGrid: the octile distance (side steps only: the
// Manhattan distance) times the grid's cheapest cell cost as heuristic,
// which never overestimates and is consistent, so the first path to reach
// the goal is a shortest one and no cell is expanded twice. A goal outside
// the start's region is answered before any search. A search runs in
// slices (Step) so that it can be spread over frames. On a grid whose open
// cells all cost 1 under move rule 1 it expands jump points only (see
// jump_point_search.h), with the same lengths.
#pragma once
#include <cstdint>
#include <vector>

#include "planning/node_factory.h"
#include "planning/node_hash_table.h"
#include "planning/open_list.h"
#include "planning/jump_table.h"
#include "planning/landmark_distances.h"
#include "planning/planner_grid.h"

class AStarPlanner {
public:
    enum class Status { Idle, Searching, Found, NoPath };

    // Starts a search from one cell to another (both inside the grid); it
    // may be answered at once. With partial on, an unreachable goal makes
    // the search look for the reachable cell nearest the goal instead.
    Status Start(const PlannerGrid& grid, int32_t start, int32_t goal, bool partial);
    // Expands at most maxExpansions cells of the search under way. The grid
    // must be the one the search started on, unchanged.
    Status Step(const PlannerGrid& grid, int64_t maxExpansions);
    // Ends a search under way with no path.
    void Cancel();

    Status State() const { return status_; }
    // Cells of the path found, start first.
    const std::vector<int32_t>& Path() const { return path_; }
    double Length() const { return length_; }
    bool ReachedGoal() const { return reachedGoal_; }
    int64_t Expansions() const { return expansions_; }
    NodeFactory& DenseNodes() { return dense_; }
    // Whether the last search kept its records in the dense array.
    bool UsedDenseNodes() const { return useDense_; }
    // Lets a test run NodeHashTable on grids the dense array would serve.
    void AlwaysHashNodes(bool on) { alwaysHashed_ = on; }
    // Whether the last search's heuristic used the landmark distances.
    bool UsedLandmarks() const { return landmarks_ != nullptr; }
    // Lets a test or a benchmark hold jump point search back where it
    // would be chosen.
    void AllowJumpPoints(bool on) { jumpsAllowed_ = on; }
    // Whether the last search expanded jump points only.
    bool UsedJumpPoints() const { return jumping_; }

private:
    template <bool Jumping, typename Store>
    Status Run(Store& store, OpenList<Store>& open, const PlannerGrid& grid, int64_t maxExpansions);
    // One expansion of jump point search read from the jump table.
    template <typename Relax>
    void ExpandWithTable(const uint8_t* masks, int width, int32_t cell, int x, int y, double g, int arrival,
                         Relax relax);
    // A jump's end as ExpandWithTable finds it: the cell, the step it is
    // entered by, its cost and its place.
    struct Found {
        int32_t next;
        int k;
        double g;
        int x;
        int y;
    };
    std::vector<Found> found_;
    template <typename Store>
    void Rebuild(const Store& store, int32_t end, int width);
    // The octile distance to the goal times the cheapest cost: with side
    // steps only, diagonal_ is 2 and it is the Manhattan distance.
    double Heuristic(int x, int y) const {
        const int dx = x > goalX_ ? x - goalX_ : goalX_ - x;
        const int dy = y > goalY_ ? y - goalY_ : goalY_ - y;
        const int lo = dx < dy ? dx : dy;
        const int hi = dx < dy ? dy : dx;
        return hScale_ * ((hi - lo) + diagonal_ * lo);
    }
    // The better of the octile distance and the landmarks' bound.
    double Estimate(int32_t cell, int x, int y) const {
        const double octile = Heuristic(x, y);
        if (landmarks_ == nullptr) return octile;
        const double bound = LandmarkBound(landmarks_->Of(cell), goalEntry_);
        return bound > octile ? bound : octile;
    }

    NodeFactory dense_;
    NodeHashTable hashed_;
    OpenList<NodeFactory> denseOpen_;
    OpenList<NodeHashTable> hashedOpen_;
    bool useDense_ = true;
    bool alwaysHashed_ = false;
    bool jumpsAllowed_ = true;
    bool jumping_ = false;
    const JumpTable* jumpTable_ = nullptr;          // for this search; null: scan
    const LandmarkDistances* landmarks_ = nullptr;  // for this search; null: octile only
    LandmarkDistances::Entry goalEntry_{};

    Status status_ = Status::Idle;
    int32_t goal_ = 0;
    int goalX_ = 0;
    int goalY_ = 0;
    bool nearestMode_ = false;  // looking for the reachable cell nearest the goal
    int64_t nearestDistance_ = 0;
    int32_t nearestCell_ = -1;
    // Cells whose f equals the least f in the open list: expanded before the
    // heap is touched again. Any order among equal f is optimal, and on
    // runs toward the goal most cells are met this way, skipping a push and
    // a pop each. None of them can be reached more cheaply later: every
    // cell expanded after has at least their f.
    std::vector<int32_t> next_;
    double leastF_ = 0;
    double hScale_ = 1;  // 0 while looking for the nearest cell
    double diagonal_ = kSqrt2;
    std::vector<int32_t> path_;
    double length_ = -1;
    bool reachedGoal_ = false;
    int64_t expansions_ = 0;
};
