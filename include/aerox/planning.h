/// @file
/// @brief Path planning: shortest paths over grids of cells in numbered slots.
#pragma once
#include "aerox/text.h"

/// @defgroup planning Path planning
/// @brief Shortest paths for creatures that walk around walls: grids of up
/// to 4096x4096 cells in planner slots 0..255, searched with A*.
///
/// Each cell has a cost: 0 is blocked, 1 plain ground, up to 255 slower
/// ground. A side step costs the entered cell's cost, a diagonal step
/// sqrt(2) times it. The move rule of a slot (SetPlannerMoves) says which
/// steps there are. Cell (0, 0) is the top-left one; x is the column and y
/// the row. The paths found are always shortest ones.
///
/// Where every open cell costs 1 and the move rule is 1 (a map loaded with
/// LoadPlannerMap, say), the search is chosen for itself: jump point
/// search, which expands only the cells where a shortest path may turn and
/// finds the same lengths several times faster. The path read back is
/// still every cell along it, and PathExpansions counts those turning
/// cells only.
///
/// A slot searched often builds two tables of its own once the searches
/// have done about as much work as building them costs: where jumps go
/// from each cell (for jump point search; 16 bytes a cell), and, on grids
/// of at least 128x128 cells whose open cells all cost 1, the distances
/// from eight far-apart cells to every cell (64 bytes a cell), which tell
/// the search how much longer than the straight line the walls make a path,
/// so it expands far fewer cells. Opening or blocking a cell drops both, to
/// be built again once paid for; a game that changes cells every frame
/// never builds them. Over 64 MB a table is not built (grids past about
/// 2048x2048 cells for the first, 1024x1024 for the second). With a table
/// built, a query may get another path of the same length than before.
///
/// These commands work at any time, also before RunGame has started the
/// engine. A slot number has its fraction cut off. A slot number outside
/// 0..255, a slot never created, a coordinate outside the grid or NaN makes
/// a command return its failure value (said on each command) and write one
/// log line naming the command; nothing else here writes a log line, except
/// LoadPlannerMap for a file it cannot read.
/// @{

// --- grids
/// Makes a slot's grid, every cell of cost 1, with move rule 1; what the
/// slot held before is dropped.
/// @param slot the slot, 0..255.
/// @param width the number of columns, 1..4096.
/// @param height the number of rows, 1..4096.
/// @return 1, or 0 for a bad slot or size.
double CreatePlanner(double slot, double width, double height);
/// Empties a slot, freeing its grid and its path.
/// @param slot the slot, 0..255; an empty slot stays empty.
void FreePlanner(double slot);
/// Makes a slot's grid from a map file in the Moving AI grid format: the
/// lines "type octile", "height H", "width W" and "map", then H rows of W
/// characters, where the full stop, G and S are ground of cost 1 and O, T,
/// W and the at sign are blocked. The move rule becomes 1. On failure the
/// slot is left empty.
/// @param slot the slot, 0..255.
/// @param path the map file. A relative path is looked up as LoadSprite
///        looks up its files: beside the program, then in its data archive.
/// @return 1, or 0 when the slot is bad or the file is missing, not of the
///         format, over 4096x4096, or has a row of the wrong length (with
///         one log line saying why).
double LoadPlannerMap(double slot, const RtString& path);
/// Sets the cost of one cell. A search under way ends (StepPathSearch
/// gives -1).
/// @param slot the slot, 0..255.
/// @param x the column, 0..width-1.
/// @param y the row, 0..height-1.
/// @param cost 0 (blocked) .. 255; a fraction is cut off.
/// @return 1, or 0 for a bad slot, cell or cost.
double SetPlannerCell(double slot, double x, double y, double cost);
/// Reads the cost of one cell.
/// @param slot the slot, 0..255.
/// @param x the column.
/// @param y the row.
/// @return the cost 0..255, or -1 outside the grid or for a bad slot.
double GetPlannerCell(double slot, double x, double y);
/// Chooses the steps a path may take. A search under way ends.
/// @param slot the slot, 0..255.
/// @param kind 0: the four side steps only; 1 (the default): also the four
///        diagonals, a diagonal only when both cells beside it are open;
///        2: diagonals also past one blocked corner, never between two.
/// @return 1, or 0 for a bad slot or kind.
double SetPlannerMoves(double slot, double kind);

// --- paths
/// Finds a shortest path from one cell to another and keeps it as the
/// slot's last path (PathPoints, PathX, PathY). A search under way ends.
/// @param slot the slot, 0..255.
/// @param startX the start's column.
/// @param startY the start's row.
/// @param goalX the goal's column.
/// @param goalY the goal's row.
/// @return the path's length (the sum of its step costs); 0 when the start
///         is the goal (a path of one point); -1 when there is no path (the
///         start or goal blocked, or no way through; with partial paths on,
///         see SetPartialPaths) or for a bad slot or cell.
double FindPath(double slot, double startX, double startY, double goalX, double goalY);
/// The number of cells on the slot's last path.
/// @param slot the slot, 0..255.
/// @return the count, start and goal included; 0 when the last search
///         found no path, or for a bad slot.
double PathPoints(double slot);
/// The column of one point of the last path.
/// @param slot the slot, 0..255.
/// @param index the point, 0 (the start) .. PathPoints - 1.
/// @return the column, or -1 for a bad slot or index.
double PathX(double slot, double index);
/// The row of one point of the last path.
/// @param slot the slot, 0..255.
/// @param index the point, 0 (the start) .. PathPoints - 1.
/// @return the row, or -1 for a bad slot or index.
double PathY(double slot, double index);
/// Turns partial paths on or off (off at first). With them on, a search
/// whose goal cannot be reached gives the path to the reachable cell
/// nearest the goal (by straight-line distance, then by path length)
/// instead of -1.
/// @param slot the slot, 0..255.
/// @param on 1 on, 0 off.
/// @return 1, or 0 for a bad slot.
double SetPartialPaths(double slot, double on);
/// Whether the last path ends at the goal.
/// @param slot the slot, 0..255.
/// @return 1 when the last search reached its goal, 0 when it gave a
///         partial path, found nothing, or the slot is bad.
double PathReachedGoal(double slot);
/// Shortens the last path into the fewest of its points joined by straight
/// lines (from cell centre to cell centre) that cross only open cells
/// under the slot's move rule, for creatures that walk at any angle.
/// @param slot the slot, 0..255.
/// @return the new number of points, or 0 for a bad slot or no path.
double SmoothPath(double slot);

// --- searching over several frames
/// Starts a search that StepPathSearch carries on a little at a time; the
/// path it finds is the one FindPath would give at the same moment.
/// @param slot the slot, 0..255.
/// @param startX the start's column.
/// @param startY the start's row.
/// @param goalX the goal's column.
/// @param goalY the goal's row.
/// @return 1 when the search started (or was answered at once), 0 for a
///         bad slot or cell.
double StartPathSearch(double slot, double startX, double startY, double goalX, double goalY);
/// Carries on the slot's search.
/// @param slot the slot, 0..255.
/// @param maxExpansions how many cells it may expand in this call, at
///        least 1 (under jump point search, cells where the path may
///        turn: far fewer for the same search).
/// @return 0 while still searching, 1 found (the path is read with
///         PathPoints, PathX and PathY), -1 no path, no search started, a
///         search ended by a change of the grid, or a bad slot.
double StepPathSearch(double slot, double maxExpansions);
/// How many cells the last search expanded, for measuring (under jump
/// point search, the cells it jumped to and expanded).
/// @param slot the slot, 0..255.
/// @return the count (0 for a goal answered without a search), or -1 for
///         a bad slot.
double PathExpansions(double slot);

/// @}
