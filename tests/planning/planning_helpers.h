// What the planner tests share: a path checker and a plain Dijkstra search
// to hold the planner's lengths to.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <queue>
#include <string>
#include <vector>

#include "planning/planner.h"
#include "planning/planner_grid.h"

namespace planning_test {

// A file of the planner tests' data folder.
inline std::string DataFile(const std::string& name) {
    const char* source = std::getenv("AEROX_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/tests/planning/data/" + name;
}

// Whether a step from (x, y) by (dx, dy) is allowed on the grid, spelled
// out from the move rules rather than taken from the planner.
inline bool StepAllowed(const PlannerGrid& grid, int x, int y, int dx, int dy) {
    if (!grid.Open(x + dx, y + dy)) return false;
    if (dx == 0 || dy == 0) return true;
    const int rule = static_cast<int>(grid.Moves());
    if (rule == 0) return false;
    const bool a = grid.Open(x + dx, y);
    const bool b = grid.Open(x, y + dy);
    return rule == 1 ? a && b : a || b;
}

// The shortest length by Dijkstra, -1 when none.
inline double Dijkstra(const PlannerGrid& grid, int sx, int sy, int gx, int gy) {
    if (!grid.Open(sx, sy) || !grid.Open(gx, gy)) return -1;
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> dist(static_cast<size_t>(grid.Cells()), inf);
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    dist[static_cast<size_t>(grid.Index(sx, sy))] = 0;
    queue.push({0, grid.Index(sx, sy)});
    while (!queue.empty()) {
        const auto [d, cell] = queue.top();
        queue.pop();
        if (d > dist[static_cast<size_t>(cell)]) continue;
        const int x = cell % grid.Width();
        const int y = cell / grid.Width();
        if (x == gx && y == gy) return d;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx == 0 && dy == 0) || !StepAllowed(grid, x, y, dx, dy)) continue;
                const double step = grid.Cost(x + dx, y + dy) * (dx != 0 && dy != 0 ? std::sqrt(2.0) : 1.0);
                const int next = grid.Index(x + dx, y + dy);
                if (d + step < dist[static_cast<size_t>(next)]) {
                    dist[static_cast<size_t>(next)] = d + step;
                    queue.push({d + step, next});
                }
            }
        }
    }
    return -1;
}

struct Point {
    int x;
    int y;
};

// The last path a planner found, as points.
inline std::vector<Point> Points(const Planner& planner) {
    std::vector<Point> points;
    for (int32_t cell : planner.Path())
        points.push_back({cell % planner.Grid().Width(), cell / planner.Grid().Width()});
    return points;
}

// Empty when the points make a path of allowed steps from start to goal
// whose costs add up to length; else what is wrong.
inline std::string CheckPath(const PlannerGrid& grid, const std::vector<Point>& path, Point start, Point goal,
                             double length) {
    if (path.empty()) return "no points";
    if (path.front().x != start.x || path.front().y != start.y) return "does not begin at the start";
    if (path.back().x != goal.x || path.back().y != goal.y) return "does not end at the goal";
    double sum = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        const int dx = path[i].x - path[i - 1].x;
        const int dy = path[i].y - path[i - 1].y;
        if (std::abs(dx) > 1 || std::abs(dy) > 1 || (dx == 0 && dy == 0) ||
            !StepAllowed(grid, path[i - 1].x, path[i - 1].y, dx, dy)) {
            return "step " + std::to_string(i) + " is not allowed";
        }
        sum += grid.Cost(path[i].x, path[i].y) * (dx != 0 && dy != 0 ? std::sqrt(2.0) : 1.0);
    }
    if (std::abs(sum - length) > 1e-9 * (1 + length)) return "its steps add up to " + std::to_string(sum);
    return "";
}

}  // namespace planning_test
