#include "planning/planner_grid.h"

#include <limits>

#include "planning/fixed_deque.h"
#include "planning/jump_table.h"
#include "planning/landmark_distances.h"

PlannerGrid::PlannerGrid(int width, int height)
    : width_(width), height_(height), cost_(static_cast<size_t>(width) * static_cast<size_t>(height), 1) {
    costCount_[1] = Cells();
}

PlannerGrid::PlannerGrid(PlannerGrid&&) noexcept = default;
PlannerGrid& PlannerGrid::operator=(PlannerGrid&&) noexcept = default;
PlannerGrid::~PlannerGrid() = default;

void PlannerGrid::SetCost(int x, int y, uint8_t cost) {
    uint8_t& cell = cost_[static_cast<size_t>(Index(x, y))];
    if (cell == cost) return;
    // Regions change only when a cell opens or closes.
    if ((cell == 0) != (cost == 0)) regionsStale_ = true;
    const bool opens = (cell == 0) != (cost == 0);
    --costCount_[cell];
    ++costCount_[cost];
    cell = cost;
    if (opens) DropTables();
    // Only the steps into, out of and past this cell can have changed.
    if (opens && !masks_.empty()) {
        for (int ny = y - 1; ny <= y + 1; ++ny) {
            for (int nx = x - 1; nx <= x + 1; ++nx) {
                if (Inside(nx, ny)) masks_[static_cast<size_t>(Index(nx, ny))] = MaskOf(nx, ny);
            }
        }
    }
}

void PlannerGrid::SetMoves(MoveRule moves) {
    if (moves != moves_) {
        masks_.clear();
        DropTables();
    }
    moves_ = moves;
}

uint8_t PlannerGrid::MaskOf(int x, int y) const {
    if (!Open(x, y)) return 0;
    uint8_t mask = 0;
    const int steps = moves_ == MoveRule::Four ? 4 : 8;
    for (int k = 0; k < steps; ++k) {
        if (!Open(x + kStepDx[k], y + kStepDy[k])) continue;
        if (k >= 4 && !DiagonalAllowed(x, y, kStepDx[k], kStepDy[k])) continue;
        mask = static_cast<uint8_t>(mask | (1u << k));
    }
    return mask;
}

const uint8_t* PlannerGrid::MoveMasks() const {
    if (masks_.empty()) {
        masks_.resize(static_cast<size_t>(Cells()));
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) masks_[static_cast<size_t>(Index(x, y))] = MaskOf(x, y);
        }
    }
    return masks_.data();
}

void PlannerGrid::DropTables() {
    jumps_.reset();
    landmarks_.reset();
    searchWork_ = 0;
}

// Each table is begun once searches have done about as much work as
// building it costs (in expansions: the jump table a sixteenth of one a
// cell, the landmark distances one Dijkstra's search a landmark), then
// built a slice of about a millisecond or two at each search start.
namespace {
constexpr int64_t kJumpTableSlice = int64_t{1} << 19;  // cells
constexpr int64_t kLandmarkSlice = int64_t{1} << 15;   // cells taken from an open list
}  // namespace

const JumpTable* PlannerGrid::Jumps() const {
    if (jumps_ == nullptr) {
        if (!JumpTable::Fits(static_cast<size_t>(Cells())) || searchWork_ * 16 < Cells()) return nullptr;
        jumps_ = std::make_unique<JumpTable>(width_, height_);
    }
    if (!jumps_->Ready() && !jumps_->BuildSome(MoveMasks(), kJumpTableSlice)) return nullptr;
    return jumps_.get();
}

const LandmarkDistances* PlannerGrid::Landmarks() const {
    if (!AllOpenCostOne()) return nullptr;
    if (landmarks_ == nullptr) {
        if (Cells() < kLandmarkCells || !LandmarkDistances::Fits(static_cast<size_t>(Cells())) ||
            searchWork_ < int64_t{LandmarkDistances::kLandmarks} * Cells()) {
            return nullptr;
        }
        landmarks_ = std::make_unique<LandmarkDistances>(width_, height_);
    }
    if (!landmarks_->Ready() && !landmarks_->BuildSome(MoveMasks(), kLandmarkSlice)) return nullptr;
    return landmarks_.get();
}

void PlannerGrid::BuildTables() const {
    if (JumpTable::Fits(static_cast<size_t>(Cells()))) {
        if (jumps_ == nullptr) jumps_ = std::make_unique<JumpTable>(width_, height_);
        jumps_->BuildSome(MoveMasks(), std::numeric_limits<int64_t>::max());
    }
    if (Cells() >= kLandmarkCells && LandmarkDistances::Fits(static_cast<size_t>(Cells()))) {
        if (landmarks_ == nullptr) landmarks_ = std::make_unique<LandmarkDistances>(width_, height_);
        landmarks_->BuildSome(MoveMasks(), std::numeric_limits<int64_t>::max());
    }
}

bool PlannerGrid::DiagonalAllowed(int x, int y, int dx, int dy) const {
    const bool a = Open(x + dx, y);
    const bool b = Open(x, y + dy);
    if (moves_ == MoveRule::EightNoCorners) return a && b;
    if (moves_ == MoveRule::EightPastCorners) return a || b;
    return false;
}

int PlannerGrid::CheapestCost() const {
    for (int c = 1; c < 256; ++c) {
        if (costCount_[static_cast<size_t>(c)] > 0) return c;
    }
    return 1;
}

int32_t PlannerGrid::Region(int cell) const {
    if (regionsStale_) LabelRegions();
    return regions_[static_cast<size_t>(cell)];
}

void PlannerGrid::LabelRegions() const {
    const size_t cells = static_cast<size_t>(Cells());
    regions_.assign(cells, -1);
    FixedDeque<int32_t> queue(cells);
    int32_t next = 0;
    for (int32_t seed = 0; seed < static_cast<int32_t>(cells); ++seed) {
        if (cost_[static_cast<size_t>(seed)] == 0 || regions_[static_cast<size_t>(seed)] >= 0) continue;
        regions_[static_cast<size_t>(seed)] = next;
        queue.PushBack(seed);
        while (!queue.Empty()) {
            const int32_t cell = queue.PopFront();
            const int x = cell % width_;
            const int y = cell / width_;
            const int nx[4] = {x - 1, x + 1, x, x};
            const int ny[4] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (!Open(nx[k], ny[k])) continue;
                int32_t& label = regions_[static_cast<size_t>(Index(nx[k], ny[k]))];
                if (label >= 0) continue;
                label = next;
                queue.PushBack(Index(nx[k], ny[k]));
            }
        }
        ++next;
    }
    regionsStale_ = false;
}
