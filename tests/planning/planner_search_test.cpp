// The search itself: lengths against a plain Dijkstra search on random
// grids under each move rule and with each kind of node record, the
// search-number wrap-round, the largest grid, and the ring deque.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "planning/fixed_deque.h"
#include "planning/planner.h"
#include "planning_helpers.h"

namespace {

using planning_test::CheckPath;
using planning_test::Dijkstra;
using planning_test::Point;

std::vector<Point> Points(const Planner& planner) {
    std::vector<Point> points;
    for (int32_t cell : planner.Path()) points.push_back({cell % planner.Grid().Width(), cell / planner.Grid().Width()});
    return points;
}

struct RandomCase {
    int width;
    int height;
    int blockedPercent;
    bool hashed;
};

void PrintTo(const RandomCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << (c.hashed ? " hashed" : " dense");
}

class RandomGrids : public ::testing::TestWithParam<RandomCase> {};

TEST_P(RandomGrids, LengthsMatchDijkstraAndPathsAddUp) {
    const RandomCase c = GetParam();
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed * 7919 + static_cast<uint32_t>(c.width));
        auto grid = std::make_unique<PlannerGrid>(c.width, c.height);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const bool blocked = static_cast<int>(random() % 100) < c.blockedPercent;
                grid->SetCost(x, y, static_cast<uint8_t>(blocked ? 0 : 1 + random() % 5));
            }
        }
        Planner planner(std::move(grid));
        planner.Search().AlwaysHashNodes(c.hashed);
        for (int rule = 0; rule <= 2; ++rule) {
            planner.SetMoves(static_cast<MoveRule>(rule));
            for (int q = 0; q < 25; ++q) {
                const Point s{static_cast<int>(random() % c.width), static_cast<int>(random() % c.height)};
                const Point g{static_cast<int>(random() % c.width), static_cast<int>(random() % c.height)};
                const double want = Dijkstra(planner.Grid(), s.x, s.y, g.x, g.y);
                const double got = planner.Find(s.x, s.y, g.x, g.y);
                SCOPED_TRACE("seed " + std::to_string(seed) + " rule " + std::to_string(rule) + " from (" +
                             std::to_string(s.x) + "," + std::to_string(s.y) + ") to (" + std::to_string(g.x) + "," +
                             std::to_string(g.y) + ")");
                ASSERT_NEAR(got, want, 1e-9 * (1 + want));
                if (want >= 0) {
                    ASSERT_EQ(CheckPath(planner.Grid(), Points(planner), s, g, got), "");
                    ASSERT_EQ(planner.Search().UsedDenseNodes(), !c.hashed);
                } else {
                    ASSERT_TRUE(planner.Path().empty());
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Planner, RandomGrids,
                         ::testing::Values(RandomCase{24, 17, 25, false}, RandomCase{40, 40, 35, false},
                                           RandomCase{31, 29, 10, true}, RandomCase{1, 30, 5, false}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) +
                                    (info.param.hashed ? "Hashed" : "Dense");
                         });

TEST(PlannerSearch, StaysRightWhenTheSearchNumberWrapsRound) {
    auto grid = std::make_unique<PlannerGrid>(20, 20);
    for (int y = 0; y < 18; ++y) grid->SetCost(10, y, 0);
    Planner planner(std::move(grid));
    const double want = Dijkstra(planner.Grid(), 0, 0, 19, 0);
    ASSERT_GT(planner.Find(0, 0, 19, 0), 0);
    planner.Search().DenseNodes().SetSearchNumber(UINT32_MAX - 2);
    // Three searches in a corner take the count past the wrap; the records
    // the first long search left must not pass for the next one's.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(planner.Find(19, 19, 18, 19), 1) << "search " << i;
    EXPECT_NEAR(planner.Find(0, 0, 19, 0), want, 1e-9);
    EXPECT_LT(planner.Search().DenseNodes().SearchNumber(), 100u);
}

TEST(PlannerSearch, TheLargestGridIsSearchedWithHashedNodes) {
    auto grid = std::make_unique<PlannerGrid>(kMaxPlannerSide, kMaxPlannerSide);
    // A wall across with one gap near the far end.
    for (int x = 0; x < kMaxPlannerSide - 1; ++x) grid->SetCost(x, 2000, 0);
    Planner planner(std::move(grid));
    const double got = planner.Find(0, 0, 0, kMaxPlannerSide - 1);
    EXPECT_FALSE(planner.Search().UsedDenseNodes());
    ASSERT_GT(got, 0);
    EXPECT_EQ(CheckPath(planner.Grid(), Points(planner), {0, 0}, {0, kMaxPlannerSide - 1}, got), "");
    // The gap's corners are blocked, so it is entered and left by side
    // steps from (4095, 1999) and to (4095, 2001); each half is octile.
    const double expected = (1999 * kSqrt2 + 2096) + 2 + (2094 * kSqrt2 + 2001);
    EXPECT_NEAR(got, expected, 1e-6);
}

TEST(FixedDeque, BothEndsWrapRoundAndStopWhenFull) {
    FixedDeque<int> deque(3);
    EXPECT_TRUE(deque.PushBack(1));
    EXPECT_TRUE(deque.PushFront(0));
    EXPECT_TRUE(deque.PushBack(2));
    EXPECT_FALSE(deque.PushBack(3));
    EXPECT_FALSE(deque.PushFront(-1));
    EXPECT_EQ(deque[0], 0);
    EXPECT_EQ(deque[2], 2);
    EXPECT_EQ(deque.PopFront(), 0);
    EXPECT_TRUE(deque.PushBack(3));
    EXPECT_EQ(deque.PopBack(), 3);
    EXPECT_EQ(deque.PopFront(), 1);
    EXPECT_EQ(deque.PopFront(), 2);
    EXPECT_TRUE(deque.Empty());
}

}  // namespace
