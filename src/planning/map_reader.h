// Reads grids in the Moving AI map format: "type octile", "height H",
// "width W", "map", then H rows of W characters. Every size is checked
// before anything is allocated, and no line is read past a bound, so a
// hostile file costs little memory.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "planning/planner_grid.h"

// The grid, or null with why in error.
std::unique_ptr<PlannerGrid> ReadPlannerMapFile(const std::string& path, std::string& error);
std::unique_ptr<PlannerGrid> ReadPlannerMapMemory(const char* data, size_t size, std::string& error);
