// The planner commands: the benchmark map's scenarios, a table of corner
// cases, partial and smoothed paths, searches spread over calls, and bad
// input (the failure value and one log line).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "aerox/planning.h"
#include "planning/map_reader.h"
#include "planning_helpers.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"

namespace {

using planning_test::CheckPath;
using planning_test::DataFile;
using planning_test::Point;

std::vector<Point> CommandPath(double slot) {
    std::vector<Point> points;
    for (int i = 0; i < static_cast<int>(PathPoints(slot)); ++i) {
        points.push_back({static_cast<int>(PathX(slot, i)), static_cast<int>(PathY(slot, i))});
    }
    return points;
}

// The grid of a slot as the commands read it.
PlannerGrid SlotGrid(double slot, int width, int height, int rule) {
    PlannerGrid grid(width, height);
    grid.SetMoves(static_cast<MoveRule>(rule));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) grid.SetCost(x, y, static_cast<uint8_t>(GetPlannerCell(slot, x, y)));
    }
    return grid;
}

// Makes slot 0 from rows of '#' (blocked), '.' (1) and digits (costs).
void MakeGrid(const std::vector<std::string>& rows, int rule) {
    ASSERT_EQ(CreatePlanner(0, static_cast<double>(rows[0].size()), static_cast<double>(rows.size())), 1);
    ASSERT_EQ(SetPlannerMoves(0, rule), 1);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            SetPlannerCell(0, static_cast<double>(x), static_cast<double>(y), c == '#' ? 0 : c == '.' ? 1 : c - '0');
        }
    }
}

TEST(PlannerCommands, EveryArenaScenarioHasItsOptimalLength) {
    ASSERT_EQ(LoadPlannerMap(3, DataFile("arena.map").c_str()), 1);
    const PlannerGrid grid = SlotGrid(3, 49, 49, 1);
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
        const double length = FindPath(3, sx, sy, gx, gy);
        ASSERT_NEAR(length, optimal, 1e-5 * optimal) << line;
        ASSERT_EQ(CheckPath(grid, CommandPath(3), {sx, sy}, {gx, gy}, length), "") << line;
        ++count;
    }
    EXPECT_EQ(count, 160);
    FreePlanner(3);
}

struct CornerCase {
    const char* name;
    std::vector<std::string> rows;
    int rule;
    Point start;
    Point goal;
    double length;  // -1: no path
    int points;     // 0: not checked
};

void PrintTo(const CornerCase& c, std::ostream* out) { *out << c.name; }

class Corners : public ::testing::TestWithParam<CornerCase> {};

TEST_P(Corners, LengthAndPoints) {
    const CornerCase& c = GetParam();
    MakeGrid(c.rows, c.rule);
    const double length = FindPath(0, c.start.x, c.start.y, c.goal.x, c.goal.y);
    EXPECT_NEAR(length, c.length, 1e-9);
    if (c.length < 0) {
        EXPECT_EQ(PathPoints(0), 0);
        EXPECT_EQ(PathReachedGoal(0), 0);
    } else {
        EXPECT_EQ(PathReachedGoal(0), 1);
        const PlannerGrid grid =
            SlotGrid(0, static_cast<int>(c.rows[0].size()), static_cast<int>(c.rows.size()), c.rule);
        EXPECT_EQ(CheckPath(grid, CommandPath(0), c.start, c.goal, length), "");
    }
    if (c.points > 0) {
        EXPECT_EQ(PathPoints(0), c.points);
    }
    FreePlanner(0);
}

const double r2 = std::sqrt(2.0);
INSTANTIATE_TEST_SUITE_P(
    Planner, Corners,
    ::testing::Values(CornerCase{"OneCornerSideStepsOnly", {".#", ".."}, 0, {0, 0}, {1, 1}, 2, 3},
                      CornerCase{"OneCornerNoCutting", {".#", ".."}, 1, {0, 0}, {1, 1}, 2, 3},
                      CornerCase{"OneCornerCut", {".#", ".."}, 2, {0, 0}, {1, 1}, r2, 2},
                      CornerCase{"TwoCornersNeverCut", {".#", "#."}, 2, {0, 0}, {1, 1}, -1, 0},
                      CornerCase{"OpenDiagonal", {"..", ".."}, 1, {0, 0}, {1, 1}, r2, 2},
                      CornerCase{"SlowGroundGoneAround", {"...", ".9.", "..."}, 0, {0, 1}, {2, 1}, 4, 5},
                      CornerCase{"SlowGroundCrossed", {"#.#", ".3.", "#.#"}, 1, {0, 1}, {2, 1}, 4, 3},
                      CornerCase{"BlockedStart", {"#.."}, 1, {0, 0}, {2, 0}, -1, 0},
                      CornerCase{"BlockedGoal", {"..#"}, 1, {0, 0}, {2, 0}, -1, 0},
                      CornerCase{"OneCellGrid", {"."}, 1, {0, 0}, {0, 0}, 0, 1},
                      CornerCase{"StartIsGoal", {"...", "..."}, 1, {2, 1}, {2, 1}, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlannerCommands, AGoalInAnotherRegionIsAnsweredWithoutASearch) {
    MakeGrid({"..#..", "..#..", "..#.."}, 2);
    EXPECT_EQ(FindPath(0, 0, 0, 4, 2), -1);
    EXPECT_EQ(PathExpansions(0), 0);
    // Opening the wall joins the regions.
    SetPlannerCell(0, 2, 1, 1);
    EXPECT_EQ(FindPath(0, 0, 0, 4, 2), 2 * r2 + 2);
    EXPECT_GT(PathExpansions(0), 0);
    FreePlanner(0);
}

TEST(PlannerCommands, PartialPathsEndNearestTheGoal) {
    // The goal (5, 1) is walled in; (3, 1) is nearest it, then (3, 0)/(3, 2).
    MakeGrid({"....#.", "....#.", "....#."}, 1);
    EXPECT_EQ(FindPath(0, 0, 0, 5, 1), -1);
    EXPECT_EQ(SetPartialPaths(0, 1), 1);
    EXPECT_NEAR(FindPath(0, 0, 0, 5, 1), r2 + 2, 1e-9);
    EXPECT_EQ(PathReachedGoal(0), 0);
    const auto path = CommandPath(0);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back().x, 3);
    EXPECT_EQ(path.back().y, 1);
    // A reachable goal is still reached.
    EXPECT_EQ(FindPath(0, 0, 0, 3, 0), 3);
    EXPECT_EQ(PathReachedGoal(0), 1);
    // A blocked goal: the nearest open cell; of equal distance, the nearer
    // by path length.
    EXPECT_NEAR(FindPath(0, 0, 1, 4, 1), 3, 1e-9);
    EXPECT_EQ(PathX(0, PathPoints(0) - 1), 3);
    EXPECT_EQ(PathY(0, PathPoints(0) - 1), 1);
    FreePlanner(0);
}

// Whether the segment between two cell centres stays on open cells, tried
// at many points along it (none exactly on a cell edge).
bool SegmentOpen(const PlannerGrid& grid, Point a, Point b) {
    for (int i = 0; i <= 997; ++i) {
        const double t = (i + 0.37) / 998.37;
        const double x = a.x + 0.5 + (b.x - a.x) * t;
        const double y = a.y + 0.5 + (b.y - a.y) * t;
        if (!grid.Open(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)))) return false;
    }
    return true;
}

TEST(PlannerCommands, SmoothedPathsAreFewStraightOpenLines) {
    MakeGrid({"..........", "..........", "..........", ".........."}, 1);
    FindPath(0, 0, 0, 9, 3);
    EXPECT_EQ(SmoothPath(0), 2);
    FreePlanner(0);

    ASSERT_EQ(LoadPlannerMap(1, DataFile("arena.map").c_str()), 1);
    const PlannerGrid grid = SlotGrid(1, 49, 49, 1);
    const Point pairs[][2] = {{{1, 11}, {44, 40}}, {{12, 6}, {25, 40}}, {{3, 3}, {46, 45}}, {{40, 2}, {6, 40}}};
    for (const auto& pair : pairs) {
        ASSERT_GT(FindPath(1, pair[0].x, pair[0].y, pair[1].x, pair[1].y), 0);
        const double before = PathPoints(1);
        const double after = SmoothPath(1);
        EXPECT_LT(after, before);
        EXPECT_GE(after, 2);
        const auto points = CommandPath(1);
        ASSERT_EQ(points.size(), static_cast<size_t>(after));
        EXPECT_EQ(points.front().x, pair[0].x);
        EXPECT_EQ(points.back().y, pair[1].y);
        for (size_t i = 1; i < points.size(); ++i) EXPECT_TRUE(SegmentOpen(grid, points[i - 1], points[i])) << i;
    }
    FreePlanner(1);
}

TEST(PlannerCommands, SteppedSearchesGiveFindPathsPath) {
    // Ground with one cell in five blocked: jump points every few cells,
    // so a long path takes many expansions.
    ASSERT_EQ(CreatePlanner(2, 64, 64), 1);
    std::mt19937 random(17);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (random() % 5 == 0) SetPlannerCell(2, x, y, 0);
        }
    }
    Point from{};
    Point to{};
    double length = -1;
    for (int i = 0; i < 1000 && (length < 0 || PathExpansions(2) < 20); ++i) {
        from = {static_cast<int>(random() % 8), static_cast<int>(random() % 8)};
        to = {56 + static_cast<int>(random() % 8), 56 + static_cast<int>(random() % 8)};
        length = FindPath(2, from.x, from.y, to.x, to.y);
    }
    ASSERT_GT(length, 0);
    // Searches build the planner's tables once they have paid for them,
    // which may pick another path of the same length: the one above may
    // have been the last search before that.
    ASSERT_NEAR(FindPath(2, from.x, from.y, to.x, to.y), length, 1e-9 * length);
    const auto whole = CommandPath(2);
    ASSERT_EQ(StartPathSearch(2, from.x, from.y, to.x, to.y), 1);
    int result = 0;
    int calls = 0;
    for (; calls < 10000 && result == 0; ++calls) result = static_cast<int>(StepPathSearch(2, 1));
    EXPECT_EQ(result, 1);
    EXPECT_GE(calls, 20);
    const auto stepped = CommandPath(2);
    ASSERT_EQ(stepped.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(stepped[i].x, whole[i].x);
        EXPECT_EQ(stepped[i].y, whole[i].y);
    }

    // A change of the grid ends a search under way.
    ASSERT_EQ(StartPathSearch(2, from.x, from.y, to.x, to.y), 1);
    EXPECT_EQ(StepPathSearch(2, 3), 0);
    SetPlannerCell(2, 20, 20, GetPlannerCell(2, 20, 20));
    EXPECT_EQ(StepPathSearch(2, 3), 0) << "a cell set to what it was changes nothing";
    SetPlannerCell(2, 30, 30, 2);
    EXPECT_EQ(StepPathSearch(2, 1000000), -1);
    FreePlanner(2);
}

size_t LogSize() { return testkit::ReadFile(LogFilePath()).size(); }

int LogLinesSince(size_t start) {
    const std::string log = testkit::ReadFile(LogFilePath());
    int lines = 0;
    for (size_t i = start; i < log.size(); ++i) lines += log[i] == '\n';
    return lines;
}

struct BadCall {
    const char* name;
    double (*call)();
    double failure;
};

void PrintTo(const BadCall& c, std::ostream* out) { *out << c.name; }

const double nan = std::numeric_limits<double>::quiet_NaN();

class BadInput : public ::testing::TestWithParam<BadCall> {};

TEST_P(BadInput, FailureValueAndOneLogLine) {
    ASSERT_EQ(CreatePlanner(5, 4, 3), 1);
    FreePlanner(6);
    const size_t start = LogSize();
    EXPECT_EQ(GetParam().call(), GetParam().failure);
    EXPECT_EQ(LogLinesSince(start), 1);
    FreePlanner(5);
}

INSTANTIATE_TEST_SUITE_P(Planner, BadInput,
                         ::testing::Values(BadCall{"SlotTooHigh", [] { return CreatePlanner(256, 4, 4); }, 0},
                                           BadCall{"SlotNegative", [] { return FindPath(-1, 0, 0, 1, 1); }, -1},
                                           BadCall{"SlotNaN", [] { return PathPoints(nan); }, 0},
                                           BadCall{"NeverCreated", [] { return FindPath(6, 0, 0, 1, 1); }, -1},
                                           BadCall{"TooWide", [] { return CreatePlanner(5, 4097, 1); }, 0},
                                           BadCall{"NoRows", [] { return CreatePlanner(5, 4, 0); }, 0},
                                           BadCall{"SizeNaN", [] { return CreatePlanner(5, nan, 4); }, 0},
                                           BadCall{"StartOutside", [] { return FindPath(5, 4, 0, 1, 1); }, -1},
                                           BadCall{"GoalOutside", [] { return FindPath(5, 0, 0, 1, 3); }, -1},
                                           BadCall{"GoalNaN", [] { return FindPath(5, 0, 0, nan, 1); }, -1},
                                           BadCall{"CellOutside", [] { return GetPlannerCell(5, -1, 0); }, -1},
                                           BadCall{"CostTooHigh", [] { return SetPlannerCell(5, 0, 0, 256); }, 0},
                                           BadCall{"CostNegative", [] { return SetPlannerCell(5, 0, 0, -1); }, 0},
                                           BadCall{"CostNaN", [] { return SetPlannerCell(5, 0, 0, nan); }, 0},
                                           BadCall{"MoveRule", [] { return SetPlannerMoves(5, 3); }, 0},
                                           BadCall{"PointPastTheEnd", [] { return PathX(5, 0); }, -1},
                                           BadCall{"SteppedOutside", [] { return StartPathSearch(5, 0, 0, 9, 9); }, 0},
                                           BadCall{"MissingMap", [] { return LoadPlannerMap(5, "no such map.map"); },
                                                   0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MapCase {
    const char* name;
    std::string text;
    bool good;
};

void PrintTo(const MapCase& c, std::ostream* out) { *out << c.name; }

class MapReading : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapReading, GoodMapsReadAndBadOnesRefused) {
    std::string error;
    const auto grid = ReadPlannerMapMemory(GetParam().text.data(), GetParam().text.size(), error);
    EXPECT_EQ(grid != nullptr, GetParam().good) << error;
    if (grid != nullptr) {
        EXPECT_EQ(grid->Width(), 3);
        EXPECT_EQ(grid->Height(), 2);
        EXPECT_EQ(grid->Cost(1, 0), 0);
        EXPECT_EQ(grid->Cost(2, 1), 1);
    } else {
        EXPECT_FALSE(error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Planner, MapReading,
    ::testing::Values(MapCase{"Plain", "type octile\nheight 2\nwidth 3\nmap\n.@.\nGTS\n", true},
                      MapCase{"CarriageReturns", "type octile\r\nheight 2\r\nwidth 3\r\nmap\r\n.O.\r\nSWG", true},
                      MapCase{"WidthFirst", "type octile\nwidth 3\nheight 2\nmap\n.@.\n...\n\n", true},
                      MapCase{"NoHeader", ".@.\n...\n", false},
                      MapCase{"OtherType", "type hex\nheight 2\nwidth 3\nmap\n.@.\n...\n", false},
                      MapCase{"NoMapLine", "type octile\nheight 2\nwidth 3\n.@.\n...\n", false},
                      MapCase{"TooWide", "type octile\nheight 2\nwidth 4097\nmap\n", false},
                      MapCase{"ZeroHigh", "type octile\nheight 0\nwidth 3\nmap\n", false},
                      MapCase{"HugeNumber", "type octile\nheight 99999999999999999999\nwidth 3\nmap\n", false},
                      MapCase{"ShortRow", "type octile\nheight 2\nwidth 3\nmap\n.@\n...\n", false},
                      MapCase{"LongRow", "type octile\nheight 2\nwidth 3\nmap\n.@..\n...\n", false},
                      MapCase{"MissingRow", "type octile\nheight 2\nwidth 3\nmap\n.@.\n", false},
                      MapCase{"ExtraRow", "type octile\nheight 2\nwidth 3\nmap\n.@.\n...\n...\n", false},
                      MapCase{"UnknownCharacter", "type octile\nheight 2\nwidth 3\nmap\n.@.\n.x.\n", false},
                      MapCase{"NulInRow", std::string("type octile\nheight 2\nwidth 3\nmap\n.@.\n.\0.\n", 29), false},
                      MapCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlannerCommands, AMapWithATenMegabyteLineIsRefusedWithOneLogLine) {
    testkit::TempFolder folder;
    const std::string path = folder.File("long.map");
    {
        std::ofstream out(path, std::ios::binary);
        out << "type octile\nheight 1\nwidth 5\nmap\n" << std::string(10 << 20, '.') << "\n";
    }
    ASSERT_EQ(CreatePlanner(7, 2, 2), 1);
    const size_t start = LogSize();
    EXPECT_EQ(LoadPlannerMap(7, path.c_str()), 0);
    EXPECT_EQ(LogLinesSince(start), 1);
    EXPECT_EQ(PathPoints(7), 0);
    EXPECT_EQ(LogLinesSince(start), 2) << "the slot is left empty";
}

}  // namespace
