// The search itself: lengths against a plain Dijkstra search on random
// grids under each move rule and with each kind of node record, jump point
// search against plain A* (random grids of cost-1 ground and the arena
// map's scenarios), the search-number wrap-round, the largest grid, and the
// ring deque.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>

#include "planning/fixed_deque.h"
#include "planning/map_reader.h"
#include "planning/planner.h"
#include "planning_helpers.h"

namespace {

using planning_test::CheckPath;
using planning_test::DataFile;
using planning_test::Dijkstra;
using planning_test::Point;
using planning_test::Points;

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

struct JumpCase {
    int side;
    int blockedPercent;
    bool hashed;
};

void PrintTo(const JumpCase& c, std::ostream* out) {
    *out << c.side << " " << c.blockedPercent << "%" << (c.hashed ? " hashed" : " dense");
}

class JumpPointGrids : public ::testing::TestWithParam<JumpCase> {};

// Where every open cell costs 1 under move rule 1, FindPath jumps: its
// lengths must be plain A*'s (and Dijkstra's), its paths whole steps.
TEST_P(JumpPointGrids, JumpsGivePlainAStarsLengths) {
    const JumpCase c = GetParam();
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed * 104729 + static_cast<uint32_t>(c.side * 31 + c.blockedPercent));
        auto grid = std::make_unique<PlannerGrid>(c.side, c.side);
        for (int y = 0; y < c.side; ++y) {
            for (int x = 0; x < c.side; ++x) {
                if (static_cast<int>(random() % 100) < c.blockedPercent) grid->SetCost(x, y, 0);
            }
        }
        Planner planner(std::move(grid));
        planner.Search().AlwaysHashNodes(c.hashed);
        for (int q = 0; q < 40; ++q) {
            const Point s{static_cast<int>(random() % c.side), static_cast<int>(random() % c.side)};
            const Point g{static_cast<int>(random() % c.side), static_cast<int>(random() % c.side)};
            SCOPED_TRACE("seed " + std::to_string(seed) + " from (" + std::to_string(s.x) + "," + std::to_string(s.y) +
                         ") to (" + std::to_string(g.x) + "," + std::to_string(g.y) + ")");
            planner.Search().AllowJumpPoints(false);
            const double plain = planner.Find(s.x, s.y, g.x, g.y);
            planner.Search().AllowJumpPoints(true);
            const double jumped = planner.Find(s.x, s.y, g.x, g.y);
            ASSERT_NEAR(jumped, plain, 1e-9 * (1 + plain));
            if (q < 10) {
                ASSERT_NEAR(jumped, Dijkstra(planner.Grid(), s.x, s.y, g.x, g.y), 1e-9 * (1 + plain));
            }
            if (plain > 0) {
                ASSERT_TRUE(planner.Search().UsedJumpPoints());
                ASSERT_EQ(CheckPath(planner.Grid(), Points(planner), s, g, jumped), "");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Planner, JumpPointGrids,
                         ::testing::Values(JumpCase{48, 20, false}, JumpCase{40, 35, false}, JumpCase{64, 5, false},
                                           JumpCase{33, 25, true}, JumpCase{1, 10, false}),
                         [](const auto& info) {
                             return std::to_string(info.param.side) + "Blocked" +
                                    std::to_string(info.param.blockedPercent) +
                                    (info.param.hashed ? "Hashed" : "Dense");
                         });

// Jumps read the open cells as bits kept beside the costs: cells opened
// and blocked between searches must reach them.
TEST(PlannerSearch, JumpsFollowCellsChangedBetweenSearches) {
    std::mt19937 random(4242);
    auto grid = std::make_unique<PlannerGrid>(70, 45);
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 70; ++x) {
            if (random() % 4 == 0) grid->SetCost(x, y, 0);
        }
    }
    Planner planner(std::move(grid));
    for (int round = 0; round < 40; ++round) {
        for (int i = 0; i < 30; ++i) {
            const int x = static_cast<int>(random() % 70);
            const int y = static_cast<int>(random() % 45);
            planner.SetCost(x, y, planner.Grid().Cost(x, y) == 0 ? 1 : 0);
        }
        for (int q = 0; q < 5; ++q) {
            const Point s{static_cast<int>(random() % 70), static_cast<int>(random() % 45)};
            const Point g{static_cast<int>(random() % 70), static_cast<int>(random() % 45)};
            const double want = Dijkstra(planner.Grid(), s.x, s.y, g.x, g.y);
            const double got = planner.Find(s.x, s.y, g.x, g.y);
            ASSERT_NEAR(got, want, 1e-9 * (1 + want)) << "round " << round << " query " << q;
            if (want > 0) {
                ASSERT_TRUE(planner.Search().UsedJumpPoints());
                ASSERT_EQ(CheckPath(planner.Grid(), Points(planner), s, g, got), "");
            }
        }
    }
}

TEST(PlannerSearch, JumpsAreChosenOnlyWhereTheyKeepLengths) {
    struct Grid {
        const char* name;
        int rule;
        int slowCost;  // the cost of cell (2, 2); 0 blocked
        bool partial;
        bool jumps;
    };
    const Grid grids[] = {{"cost 1 rule 1", 1, 1, false, true}, {"a blocked cell", 1, 0, false, true},
                          {"slow ground", 1, 3, false, false},  {"side steps only", 0, 1, false, false},
                          {"corners cut", 2, 1, false, false},  {"partial on, goal reachable", 1, 1, true, true}};
    for (const Grid& c : grids) {
        auto grid = std::make_unique<PlannerGrid>(6, 6);
        grid->SetCost(2, 2, static_cast<uint8_t>(c.slowCost));
        grid->SetMoves(static_cast<MoveRule>(c.rule));
        Planner planner(std::move(grid));
        planner.SetPartial(c.partial);
        EXPECT_GT(planner.Find(0, 0, 5, 4), 0) << c.name;
        EXPECT_EQ(planner.Search().UsedJumpPoints(), c.jumps) << c.name;
    }
}

// Both searches on every scenario of the arena map.
TEST(PlannerSearch, ArenaScenariosWithAndWithoutJumps) {
    std::string error;
    auto grid = ReadPlannerMapFile(DataFile("arena.map"), error);
    ASSERT_NE(grid, nullptr) << error;
    Planner planner(std::move(grid));
    std::ifstream scenarios(DataFile("arena.map.scen"));
    std::string line;
    std::getline(scenarios, line);
    int count = 0;
    while (std::getline(scenarios, line)) {
        std::istringstream fields(line);
        int bucket = 0, width = 0, height = 0, sx = 0, sy = 0, gx = 0, gy = 0;
        std::string map;
        double optimal = 0;
        ASSERT_TRUE(fields >> bucket >> map >> width >> height >> sx >> sy >> gx >> gy >> optimal) << line;
        for (const bool jumps : {false, true}) {
            planner.Search().AllowJumpPoints(jumps);
            const double length = planner.Find(sx, sy, gx, gy);
            ASSERT_NEAR(length, optimal, 1e-5 * optimal) << line << (jumps ? " jumping" : " plain");
            ASSERT_EQ(planner.Search().UsedJumpPoints(), jumps);
            ASSERT_EQ(CheckPath(planner.Grid(), Points(planner), {sx, sy}, {gx, gy}, length), "") << line;
        }
        ++count;
    }
    EXPECT_EQ(count, 160);
}

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
