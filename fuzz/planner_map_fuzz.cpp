// Feeds arbitrary bytes to the planner's map reader, then searches the grid
// it makes from corner to corner, with jump point search and without.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "planning/map_reader.h"
#include "planning/planner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto grid = ReadPlannerMapMemory(reinterpret_cast<const char*>(data), size, error);
    if (grid == nullptr) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (grid->Width() < 1 || grid->Height() < 1 || grid->Width() > kMaxPlannerSide ||
        grid->Height() > kMaxPlannerSide) {
        __builtin_trap();
    }
    // Small grids only: the search is not what is fuzzed, only fed.
    if (grid->Cells() <= 64 * 64) {
        const int w = grid->Width();
        const int h = grid->Height();
        Planner planner(std::move(grid));
        const double length = planner.Find(0, 0, w - 1, h - 1);
        if (length >= 0 && planner.Path().empty()) __builtin_trap();
        // Map files are cost-1 ground under move rule 1, where the search
        // jumps: plain A* must find the same length.
        planner.Search().AllowJumpPoints(false);
        const double plain = planner.Find(0, 0, w - 1, h - 1);
        if (std::abs(plain - length) > 1e-9 * (1 + std::abs(plain))) __builtin_trap();
        planner.Smooth();
    }
    return 0;
}
