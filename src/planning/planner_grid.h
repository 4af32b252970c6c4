// A planner's grid: cell costs (0 blocked, 1..255), the move rule, and the
// connected regions of open cells, relabelled lazily after a change.
#pragma once
#include <array>
#include <memory>
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int kMaxPlannerSide = 4096;
inline constexpr int kLandmarkCells = 128 * 128;
inline constexpr double kSqrt2 = 1.4142135623730951;

// The eight steps, side steps first; bit k of a move mask is step k.
inline constexpr int kStepDx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
inline constexpr int kStepDy[8] = {0, 0, 1, -1, 1, -1, 1, -1};

class JumpTable;
class LandmarkDistances;

enum class MoveRule : uint8_t { Four = 0, EightNoCorners = 1, EightPastCorners = 2 };

class PlannerGrid {
public:
    // Sides must be 1..kMaxPlannerSide; every cell costs 1.
    PlannerGrid(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Cells() const { return width_ * height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    int Index(int x, int y) const { return y * width_ + x; }
    uint8_t Cost(int cell) const { return cost_[static_cast<size_t>(cell)]; }
    uint8_t Cost(int x, int y) const { return cost_[static_cast<size_t>(Index(x, y))]; }
    bool Open(int x, int y) const { return Inside(x, y) && Cost(x, y) != 0; }
    void SetCost(int x, int y, uint8_t cost);

    MoveRule Moves() const { return moves_; }
    void SetMoves(MoveRule moves);
    // For each cell, the steps the move rule allows out of it (bit k for
    // kStepDx[k], kStepDy[k]), so a search tests one bit, not the corners.
    const uint8_t* MoveMasks() const;
    // Whether a diagonal step from (x, y) by (dx, dy) may pass its corner:
    // the two side cells must be open (rule 1) or not both blocked (rule 2).
    bool DiagonalAllowed(int x, int y, int dx, int dy) const;

    // The cheapest open cell's cost (1 when none is open), for the heuristic.
    int CheapestCost() const;
    // Whether every open cell costs 1 (jump point search needs it).
    bool AllOpenCostOne() const { return costCount_[0] + costCount_[1] == Cells(); }
    // Cells of one region are joined by some path. Under every rule a
    // diagonal needs at least one open side cell, so the side-step regions
    // are the regions. -1 for a blocked cell.
    int32_t Region(int cell) const;

    // Tables worked out once from the move masks, each begun once it has
    // paid for itself: after a cell opens or closes, searches go without
    // until they have done about as much work as building it would cost
    // (a game changing its grid every frame never builds one), then each
    // search start builds a slice of it. Null until ready, or over the
    // table's memory budget.
    // - the jump table (jump_table.h);
    const JumpTable* Jumps() const;
    // - the landmark distances (landmark_distances.h), for grids of at
    //   least kLandmarkCells cells whose open cells all cost 1 (null for
    //   others): on smaller grids a search takes microseconds, and reading
    //   the distances costs more than the cells they spare.
    const LandmarkDistances* Landmarks() const;
    // Builds both tables now, whatever the work done (within their memory
    // budgets and sizes): for tests and benchmarks that must know which
    // search runs.
    void BuildTables() const;
    // Cells expanded by searches since the masks last changed.
    void CountSearchWork(int64_t expansions) const { searchWork_ += expansions; }

    PlannerGrid(PlannerGrid&&) noexcept;
    PlannerGrid& operator=(PlannerGrid&&) noexcept;
    ~PlannerGrid();

private:
    void LabelRegions() const;
    uint8_t MaskOf(int x, int y) const;

    int width_;
    int height_;
    MoveRule moves_ = MoveRule::EightNoCorners;
    std::vector<uint8_t> cost_;
    std::array<int, 256> costCount_{};
    mutable std::vector<int32_t> regions_;
    mutable bool regionsStale_ = true;
    mutable std::vector<uint8_t> masks_;  // empty until a search needs them
    void DropTables();
    mutable std::unique_ptr<JumpTable> jumps_;
    mutable std::unique_ptr<LandmarkDistances> landmarks_;
    mutable int64_t searchWork_ = 0;
};
