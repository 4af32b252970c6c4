// Straight-line shortcuts over a grid path, for creatures that walk at any
// angle.
#pragma once
#include <cstdint>
#include <vector>

#include "planning/planner_grid.h"

// Whether the straight line between two cell centres crosses only open
// cells. Where it passes exactly through a cell corner, the two cells
// beside the corner must pass the grid's move rule for a diagonal.
bool LineOfSight(const PlannerGrid& grid, int32_t from, int32_t to);

// The fewest cells of the path, first and last kept, each joined to the
// next by a line of sight.
std::vector<int32_t> SmoothCells(const PlannerGrid& grid, const std::vector<int32_t>& path);
