// Jump point search: on a grid whose open cells all cost 1 under move rule
// 1 (eight directions, no corner cutting), most cells lie on some shortest
// path that goes straight past them, so the search need not stop there. A
// jump scans in one direction to the next cell where a shortest path may
// turn (a jump point) and the search expands only those. The cells a path
// must turn at are found from the move masks alone:
// - going straight, a side cell is open beside the current cell but was
//   blocked beside the previous one (only through this cell is it reached
//   as cheaply);
// - going diagonally, no corner is ever passed, so no such cell exists;
//   a diagonal scan stops where a straight scan from it finds a jump point.
// The lengths are those of plain A*; the paths are rebuilt cell by cell.
#pragma once
#include <cstdint>
#include <vector>

namespace jump_point_search {

// The directions (bits of a move mask) worth trying from a jump point
// entered by step arrival (8 at the start): the way it was going, and the
// turns its blocked neighbours force.
uint8_t Successors(const uint8_t* masks, int width, int32_t cell, int arrival);

// Scans from cell in direction k (kStepDx[k], kStepDy[k]) and returns the
// first jump point (or the goal) with the number of steps to it, or -1.
int32_t Jump(const uint8_t* masks, int width, int32_t cell, int k, int32_t goal, int32_t& steps);

// Expands a chain of jump points, each reached from the one before in a
// straight or diagonal line, or in a diagonal one and then a straight one,
// into every cell along it.
std::vector<int32_t> Expand(const std::vector<int32_t>& jumpPoints, int width);

}  // namespace jump_point_search
