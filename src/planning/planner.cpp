#include "planning/planner.h"

#include <limits>

#include "planning/path_smoothing.h"

void Planner::SetCost(int x, int y, uint8_t cost) {
    if (grid_->Cost(x, y) == cost) return;
    search_.Cancel();
    grid_->SetCost(x, y, cost);
}

void Planner::SetMoves(MoveRule moves) {
    search_.Cancel();
    grid_->SetMoves(moves);
}

void Planner::StartSearch(int startX, int startY, int goalX, int goalY) {
    path_.clear();
    reachedGoal_ = false;
    search_.Start(*grid_, grid_->Index(startX, startY), grid_->Index(goalX, goalY), partial_);
    TakeResult();
}

double Planner::Find(int startX, int startY, int goalX, int goalY) {
    StartSearch(startX, startY, goalX, goalY);
    Step(std::numeric_limits<int64_t>::max());
    return search_.State() == AStarPlanner::Status::Found ? search_.Length() : -1;
}

int Planner::Step(int64_t maxExpansions) {
    if (search_.State() == AStarPlanner::Status::Searching) {
        search_.Step(*grid_, maxExpansions);
        TakeResult();
    }
    switch (search_.State()) {
        case AStarPlanner::Status::Searching: return 0;
        case AStarPlanner::Status::Found: return 1;
        default: return -1;
    }
}

void Planner::TakeResult() {
    if (search_.State() == AStarPlanner::Status::Found) {
        path_ = search_.Path();
        reachedGoal_ = search_.ReachedGoal();
    }
}

size_t Planner::Smooth() {
    path_ = SmoothCells(*grid_, path_);
    return path_.size();
}
