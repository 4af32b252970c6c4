#include "planning/jump_table.h"

#include <limits>

#include "planning/planner_grid.h"

namespace {

constexpr uint8_t kSidesOfRows = (1u << 2) | (1u << 3);     // down, up
constexpr uint8_t kSidesOfColumns = (1u << 0) | (1u << 1);  // right, left

// The straight step with the sign of dx (dy 0), or of dy (dx 0).
int RowStep(int dx) { return dx > 0 ? 0 : 1; }
int ColumnStep(int dy) { return dy > 0 ? 2 : 3; }

// From the entry of the next cell along: one more step, or a jump point
// right there.
int16_t Extend(bool stopsThere, int16_t next) {
    if (stopsThere) return 1;
    return static_cast<int16_t>(next > 0 ? next + 1 : next - 1);
}

}  // namespace

JumpTable::JumpTable(int width, int height)
    : width_(width), height_(height), entries_(static_cast<size_t>(width) * static_cast<size_t>(height)) {}

JumpTable::JumpTable(const uint8_t* masks, int width, int height) : JumpTable(width, height) {
    BuildSome(masks, std::numeric_limits<int64_t>::max());
}

bool JumpTable::BuildSome(const uint8_t* masks, int64_t budget) {
    // Each direction fills its entries from the far side, so the cell one
    // step on is always done first. The straight directions come first in
    // the step order (0..3), so every diagonal finds both of its straight
    // ones done: it stops where a straight jump from the cell finds a
    // jump point.
    for (; direction_ < 8 && budget > 0; ++direction_, row_ = 0) {
        const int k = direction_;
        const int dx = kStepDx[k];
        const int dy = kStepDy[k];
        const int32_t offset = dy * width_ + dx;
        const uint8_t bit = static_cast<uint8_t>(1u << k);
        const int kx = RowStep(dx);
        const int ky = ColumnStep(dy);
        for (; row_ < height_; ++row_) {
            if (budget <= 0) return false;
            budget -= width_;
            const int y = dy > 0 ? height_ - 1 - row_ : row_;
            for (int j = 0; j < width_; ++j) {
                const int x = dx > 0 ? width_ - 1 - j : j;
                const int32_t cell = y * width_ + x;
                int16_t& v = entries_[static_cast<size_t>(cell)].d[k];
                if ((masks[cell] & bit) == 0) {
                    v = 0;
                    continue;
                }
                const int32_t next = cell + offset;
                const Entry& n = entries_[static_cast<size_t>(next)];
                bool stops;
                if (dx != 0 && dy != 0) {
                    stops = n.d[kx] > 0 || n.d[ky] > 0;
                } else {
                    const uint8_t sides = dy == 0 ? kSidesOfRows : kSidesOfColumns;
                    stops = (masks[next] & ~masks[cell] & sides) != 0;
                }
                v = Extend(stops, n.d[k]);
            }
        }
    }
    return Ready();
}

int32_t JumpTable::Jump(int32_t cell, int x, int y, int k, int goalX, int goalY, int32_t& steps) const {
    const int dx = kStepDx[k];
    const int dy = kStepDy[k];
    const int16_t v = entries_[static_cast<size_t>(cell)].d[k];
    const int reach = Reach(v);
    const int32_t offset = dy * width_ + dx;
    if (dx == 0 || dy == 0) {
        // The goal on the line ahead, no farther than the scan goes.
        const int along = dy == 0 ? (goalX - x) * dx : (goalY - y) * dy;
        const bool onLine = dy == 0 ? goalY == y : goalX == x;
        if (onLine && along > 0 && along <= reach) {
            steps = along;
            return cell + along * offset;
        }
        if (v <= 0) return -1;
        steps = v;
        return cell + v * offset;
    }
    // The diagonal meets the goal's row after n = (goalY - y) * dy steps and
    // its column after (goalX - x) * dx; it stops there if a straight scan
    // from that cell reaches the goal.
    int best = v > 0 ? v : 0;
    // Whether the diagonal stops after n steps, where a straight jump in
    // direction straight has left steps to go to the goal.
    auto stopsAt = [&](int n, int left, int straight) {
        if (n < 1 || n > reach || (best != 0 && n >= best)) return false;
        const int32_t meets = cell + n * offset;
        return left == 0 || (left > 0 && left <= Reach(entries_[static_cast<size_t>(meets)].d[straight]));
    };
    const int nRow = (goalY - y) * dy;
    if (stopsAt(nRow, (goalX - (x + nRow * dx)) * dx, RowStep(dx))) best = nRow;
    const int nColumn = (goalX - x) * dx;
    if (stopsAt(nColumn, (goalY - (y + nColumn * dy)) * dy, ColumnStep(dy))) best = nColumn;
    if (best == 0) return -1;
    steps = best;
    return cell + best * offset;
}
