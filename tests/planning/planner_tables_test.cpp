// The tables a planner builds once searches have paid for them: the jump
// table must give every jump the scans give, and the landmark distances a
// bound that never exceeds a true distance and stays consistent, so that
// searches using them keep Dijkstra's lengths, also after a cell changes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "planning/jump_point_search.h"
#include "planning/jump_table.h"
#include "planning/landmark_distances.h"
#include "planning/planner.h"
#include "planning_helpers.h"

namespace {

using planning_test::CheckPath;
using planning_test::Dijkstra;
using planning_test::Point;
using planning_test::Points;

std::unique_ptr<PlannerGrid> RandomGrid(int width, int height, int blockedPercent, MoveRule rule, uint32_t seed) {
    std::mt19937 random(seed);
    auto grid = std::make_unique<PlannerGrid>(width, height);
    grid->SetMoves(rule);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (static_cast<int>(random() % 100) < blockedPercent) grid->SetCost(x, y, 0);
        }
    }
    return grid;
}

TEST(PlannerTables, TheJumpTableJumpsAsTheScansDo) {
    struct Case {
        int width, height, blockedPercent;
    };
    for (const Case c : {Case{1, 1, 0}, Case{17, 9, 0}, Case{40, 40, 20}, Case{33, 21, 35}, Case{64, 64, 5}}) {
        const auto grid = RandomGrid(c.width, c.height, c.blockedPercent, MoveRule::EightNoCorners,
                                     static_cast<uint32_t>(c.width * 7 + c.blockedPercent));
        const uint8_t* masks = grid->MoveMasks();
        const JumpTable table(masks, c.width, c.height);
        std::mt19937 random(99);
        for (int32_t cell = 0; cell < grid->Cells(); ++cell) {
            const int x = cell % c.width;
            const int y = cell / c.width;
            // Goals at random, and on the cell's row, column and diagonals,
            // where the goal stops a jump.
            const int r = static_cast<int>(random() % 9) - 4;
            const Point goals[] = {{static_cast<int>(random() % c.width), static_cast<int>(random() % c.height)},
                                   {x + r, y},
                                   {x, y + r},
                                   {x + r, y + r},
                                   {x + r, y - r},
                                   {x + r + 1, y + r}};
            for (const Point goal : goals) {
                if (!grid->Inside(goal.x, goal.y)) continue;
                for (int k = 0; k < 8; ++k) {
                    int32_t scanned = 0;
                    int32_t read = 0;
                    const int32_t want =
                        jump_point_search::Jump(masks, c.width, cell, k, grid->Index(goal.x, goal.y), scanned);
                    const int32_t got = table.Jump(cell, x, y, k, goal.x, goal.y, read);
                    ASSERT_EQ(got, want) << c.width << "x" << c.height << " cell " << cell << " step " << k << " goal ("
                                         << goal.x << "," << goal.y << ")";
                    if (want >= 0) {
                        ASSERT_EQ(read, scanned);
                    }
                }
            }
        }
    }
}

class LandmarkGrids : public ::testing::TestWithParam<MoveRule> {};

// A bound over a true distance could return a longer path; an
// inconsistent one could close a cell before its shortest path is found.
TEST_P(LandmarkGrids, TheBoundIsBelowEveryDistanceAndSearchesKeepTheirLengths) {
    const MoveRule rule = GetParam();
    constexpr int kSide = 128;
    Planner planner(RandomGrid(kSide, kSide, 20, rule, 7 + static_cast<uint32_t>(rule)));
    const PlannerGrid& grid = planner.Grid();
    std::mt19937 random(5);
    auto openCell = [&] {
        for (;;) {
            const Point p{static_cast<int>(random() % kSide), static_cast<int>(random() % kSide)};
            if (grid.Open(p.x, p.y)) return p;
        }
    };
    for (int q = 0; q < 12; ++q) {
        grid.BuildTables();
        const LandmarkDistances* landmarks = grid.Landmarks();
        ASSERT_NE(landmarks, nullptr);
        const Point s = openCell();
        const Point g = openCell();
        const auto& goal = landmarks->Of(grid.Index(g.x, g.y));
        const double want = Dijkstra(grid, s.x, s.y, g.x, g.y);
        if (want >= 0) {
            ASSERT_LE(LandmarkBound(landmarks->Of(grid.Index(s.x, s.y)), goal), want + 1e-9);
        }
        for (int32_t cell = 0; cell < grid.Cells(); ++cell) {
            const double here = LandmarkBound(landmarks->Of(cell), goal);
            for (unsigned m = grid.MoveMasks()[cell]; m != 0; m &= m - 1) {
                const int k = __builtin_ctz(m);
                const double step = k < 4 ? 1 : std::sqrt(2.0);
                const double there = LandmarkBound(landmarks->Of(cell + kStepDy[k] * kSide + kStepDx[k]), goal);
                ASSERT_LE(here, step + there + 1e-9) << "not consistent at cell " << cell << " step " << k;
            }
        }
        const double got = planner.Find(s.x, s.y, g.x, g.y);
        ASSERT_NEAR(got, want, 1e-9 * (1 + std::abs(want))) << "query " << q;
        if (want > 0) {
            ASSERT_TRUE(planner.Search().UsedLandmarks());
            ASSERT_EQ(planner.Search().UsedJumpPoints(), rule == MoveRule::EightNoCorners);
            ASSERT_EQ(CheckPath(grid, Points(planner), s, g, got), "");
        }
        // A wall moved: the tables go, and come back once paid for.
        const Point w = openCell();
        planner.SetCost(w.x, w.y, 0);
        planner.SetCost(w.x, w.y, 1);
        EXPECT_EQ(grid.Landmarks(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Planner, LandmarkGrids,
                         ::testing::Values(MoveRule::Four, MoveRule::EightNoCorners, MoveRule::EightPastCorners),
                         [](const auto& info) { return "Rule" + std::to_string(static_cast<int>(info.param)); });

// Searches that pay for the tables build them, and keep their lengths
// while cells open and close between them.
TEST(PlannerTables, SearchesBuildTheTablesAndFollowChanges) {
    constexpr int kSide = 128;
    Planner planner(RandomGrid(kSide, kSide, 20, MoveRule::EightNoCorners, 31));
    std::mt19937 random(8);
    int builtAt = -1;
    for (int q = 0; q < 4000 && (builtAt < 0 || q < builtAt + 40); ++q) {
        const int sx = static_cast<int>(random() % kSide), sy = static_cast<int>(random() % kSide);
        const int gx = static_cast<int>(random() % kSide), gy = static_cast<int>(random() % kSide);
        const double got = planner.Find(sx, sy, gx, gy);
        if (builtAt < 0 && planner.Search().UsedLandmarks()) builtAt = q;
        if (q % 50 == 0 || (builtAt >= 0 && q % 4 == 0)) {
            ASSERT_NEAR(got, Dijkstra(planner.Grid(), sx, sy, gx, gy), 1e-9 * (1 + std::abs(got))) << "query " << q;
        }
        if (builtAt >= 0 && q == builtAt + 20) {
            planner.SetCost(static_cast<int>(random() % kSide), static_cast<int>(random() % kSide), 0);
            planner.SetCost(static_cast<int>(random() % kSide), static_cast<int>(random() % kSide), 1);
        }
    }
    EXPECT_GE(builtAt, 1) << "searches on a 128x128 grid pay for the tables, though not the first";
}

}  // namespace
