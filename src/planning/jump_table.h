// Jump point search without the scans: for every open cell and each of the
// eight directions, how far a jump from it goes, computed once from the
// move masks, so a jump is a table read and a few comparisons with the
// goal. Only the goal is not in the table: a jump stops at it too, and the
// comparisons find where (on the straight line, or where the diagonal
// meets the goal's row or column and a straight scan from there would
// reach it). The jumps are exactly those of jump_point_search::Jump.
// 16 bytes a cell; rebuilt whole after a cell opens or closes, a slice at
// a time (BuildSome) so that no one search waits for all of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class JumpTable {
public:
    // The largest grid worth a table, in bytes of table.
    static constexpr size_t kMemoryBudget = size_t{64} << 20;
    static bool Fits(size_t cells) { return cells * sizeof(Entry) <= kMemoryBudget; }

    // Not ready until BuildSome has finished.
    JumpTable(int width, int height);
    // Builds at once (for tests).
    JumpTable(const uint8_t* masks, int width, int height);

    // Carries the building on for about budget cells; true when ready.
    // masks: the steps the move rule allows out of each cell, the same at
    // every call.
    bool BuildSome(const uint8_t* masks, int64_t budget);
    bool Ready() const { return direction_ >= 8; }

    // The first jump point (or the goal) from cell (x, y) in direction k,
    // with the number of steps to it, or -1.
    int32_t Jump(int32_t cell, int x, int y, int k, int goalX, int goalY, int32_t& steps) const;

    // Starts fetching a cell's entry, for a cell the search will expand.
    void Prefetch(int32_t cell) const { __builtin_prefetch(&entries_[static_cast<size_t>(cell)]); }

private:
    // Per direction: n > 0, a jump point n steps on; n <= 0, none, and -n
    // steps can be taken before a step is not allowed.
    struct Entry {
        int16_t d[8];
    };
    static int Reach(int16_t v) { return v < 0 ? -v : v; }

    int width_;
    int height_;
    std::vector<Entry> entries_;
    int direction_ = 0;  // the building: the direction and row under way
    int row_ = 0;
};
