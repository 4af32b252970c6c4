#include "planning/jump_point_search.h"

#include "planning/planner_grid.h"

namespace jump_point_search {
namespace {

constexpr uint8_t kRight = 1u << 0;
constexpr uint8_t kLeft = 1u << 1;
constexpr uint8_t kDown = 1u << 2;
constexpr uint8_t kUp = 1u << 3;

// The step with these signs (not both 0), by (dy + 1) * 3 + dx + 1.
constexpr int kStepBySigns[9] = {7, 3, 5, 1, 0, 0, 6, 2, 4};
int StepOf(int dx, int dy) { return kStepBySigns[(dy + 1) * 3 + dx + 1]; }

int Sign(int v) { return (v > 0) - (v < 0); }

// A straight scan: step by offset while the mask allows step bit; stop at
// the goal or where one of the side steps opens that the cell behind lacked.
int32_t Straight(const uint8_t* masks, int32_t cell, int32_t offset, uint8_t bit, uint8_t sides, int32_t goal,
                 int32_t& steps) {
    int32_t n = 0;
    while (masks[cell] & bit) {
        const uint8_t behind = masks[cell];
        cell += offset;
        ++n;
        if (cell == goal || (masks[cell] & ~behind & sides) != 0) {
            steps = n;
            return cell;
        }
    }
    return -1;
}

}  // namespace

uint8_t Successors(const uint8_t* masks, int width, int32_t cell, int arrival) {
    const uint8_t here = masks[cell];
    if (arrival < 0 || arrival > 7) return here;
    const int dx = kStepDx[arrival];
    const int dy = kStepDy[arrival];
    uint8_t dirs = static_cast<uint8_t>(1u << arrival);
    if (dx != 0 && dy != 0) {
        dirs = static_cast<uint8_t>(dirs | (1u << StepOf(dx, 0)) | (1u << StepOf(0, dy)));
    } else if (dy == 0) {
        const uint8_t behind = masks[cell - dx];
        if ((here & ~behind & kDown) != 0) dirs = static_cast<uint8_t>(dirs | kDown | (1u << StepOf(dx, 1)));
        if ((here & ~behind & kUp) != 0) dirs = static_cast<uint8_t>(dirs | kUp | (1u << StepOf(dx, -1)));
    } else {
        const uint8_t behind = masks[cell - dy * width];
        if ((here & ~behind & kRight) != 0) dirs = static_cast<uint8_t>(dirs | kRight | (1u << StepOf(1, dy)));
        if ((here & ~behind & kLeft) != 0) dirs = static_cast<uint8_t>(dirs | kLeft | (1u << StepOf(-1, dy)));
    }
    return static_cast<uint8_t>(dirs & here);
}

int32_t Jump(const uint8_t* masks, int width, int32_t cell, int k, int32_t goal, int32_t& steps) {
    const int dx = kStepDx[k];
    const int dy = kStepDy[k];
    if (dy == 0) return Straight(masks, cell, dx, static_cast<uint8_t>(1u << k), kDown | kUp, goal, steps);
    if (dx == 0) return Straight(masks, cell, dy * width, static_cast<uint8_t>(1u << k), kRight | kLeft, goal, steps);
    const int kx = dx > 0 ? 0 : 1;
    const int ky = dy > 0 ? 2 : 3;
    const int32_t offset = dy * width + dx;
    int32_t n = 0;
    int32_t unused = 0;
    while (masks[cell] & (1u << k)) {
        cell += offset;
        ++n;
        if (cell == goal || Straight(masks, cell, dx, static_cast<uint8_t>(1u << kx), kDown | kUp, goal, unused) >= 0 ||
            Straight(masks, cell, dy * width, static_cast<uint8_t>(1u << ky), kRight | kLeft, goal, unused) >= 0) {
            steps = n;
            return cell;
        }
    }
    return -1;
}

std::vector<int32_t> Expand(const std::vector<int32_t>& jumpPoints, int width) {
    std::vector<int32_t> cells;
    if (jumpPoints.empty()) return cells;
    cells.push_back(jumpPoints[0]);
    for (size_t i = 1; i < jumpPoints.size(); ++i) {
        const int32_t from = jumpPoints[i - 1];
        const int32_t to = jumpPoints[i];
        const int dx = to % width - from % width;
        const int dy = to / width - from / width;
        // A straight or diagonal line, or (from a diagonal jump point
        // passed without expanding it) a diagonal and then a straight one.
        const int ax = dx < 0 ? -dx : dx;
        const int ay = dy < 0 ? -dy : dy;
        const int diagonal = ax < ay ? ax : ay;
        int32_t at = from;
        for (int s = 0; s < diagonal; ++s) cells.push_back(at += Sign(dy) * width + Sign(dx));
        const int32_t straight = ax > ay ? Sign(dx) : Sign(dy) * width;
        for (int s = diagonal; s < (ax > ay ? ax : ay); ++s) cells.push_back(at += straight);
    }
    return cells;
}

}  // namespace jump_point_search
