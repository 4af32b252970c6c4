// One planner slot: its grid, its search and the last path found, with the
// partial-path setting. Any change of the grid (a cell given another cost,
// another move rule) ends a search under way.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "planning/astar_planner.h"
#include "planning/planner_grid.h"

class Planner {
public:
    explicit Planner(std::unique_ptr<PlannerGrid> grid) : grid_(std::move(grid)) {}

    const PlannerGrid& Grid() const { return *grid_; }
    void SetCost(int x, int y, uint8_t cost);
    void SetMoves(MoveRule moves);
    void SetPartial(bool on) { partial_ = on; }

    // Cells inside the grid. The length, or -1 with no path.
    double Find(int startX, int startY, int goalX, int goalY);
    void StartSearch(int startX, int startY, int goalX, int goalY);
    // 0 searching, 1 found, -1 no path (or none started).
    int Step(int64_t maxExpansions);

    const std::vector<int32_t>& Path() const { return path_; }
    bool ReachedGoal() const { return reachedGoal_; }
    int64_t Expansions() const { return search_.Expansions(); }
    // Returns the new number of points.
    size_t Smooth();
    AStarPlanner& Search() { return search_; }

private:
    void TakeResult();

    std::unique_ptr<PlannerGrid> grid_;
    AStarPlanner search_;
    bool partial_ = false;
    std::vector<int32_t> path_;
    bool reachedGoal_ = false;
};
