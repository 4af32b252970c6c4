#include "planning/path_smoothing.h"

#include <cstdlib>

bool LineOfSight(const PlannerGrid& grid, int32_t from, int32_t to) {
    int x = from % grid.Width();
    int y = from / grid.Width();
    const int dx = to % grid.Width() - x;
    const int dy = to / grid.Width() - y;
    const int nx = std::abs(dx);
    const int ny = std::abs(dy);
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    if (!grid.Open(x, y)) return false;
    // Walks every cell the line enters, comparing in integers where the
    // line next crosses a vertical and a horizontal cell edge.
    for (int ix = 0, iy = 0; ix < nx || iy < ny;) {
        const int64_t side = static_cast<int64_t>(1 + 2 * ix) * ny - static_cast<int64_t>(1 + 2 * iy) * nx;
        if (side == 0) {
            if (!grid.DiagonalAllowed(x, y, sx, sy)) return false;
            x += sx;
            y += sy;
            ++ix;
            ++iy;
        } else if (side < 0) {
            x += sx;
            ++ix;
        } else {
            y += sy;
            ++iy;
        }
        if (!grid.Open(x, y)) return false;
    }
    return true;
}

std::vector<int32_t> SmoothCells(const PlannerGrid& grid, const std::vector<int32_t>& path) {
    const size_t n = path.size();
    if (n <= 2) return path;
    std::vector<int32_t> out;
    // Up to this many points, the fewest exactly (each point's fewest
    // lines from the start, over every earlier point it sees); beyond, the
    // farthest point in sight each time, which keeps long paths linear-ish.
    constexpr size_t kExactLimit = 1024;
    if (n <= kExactLimit) {
        std::vector<size_t> links(n, SIZE_MAX);
        std::vector<size_t> from(n, 0);
        links[0] = 0;
        for (size_t j = 1; j < n; ++j) {
            for (size_t i = 0; i < j; ++i) {
                if (links[i] + 1 >= links[j]) continue;
                if (i + 1 == j || LineOfSight(grid, path[i], path[j])) {
                    links[j] = links[i] + 1;
                    from[j] = i;
                }
            }
        }
        std::vector<int32_t> reversed;
        for (size_t j = n - 1;; j = from[j]) {
            reversed.push_back(path[j]);
            if (j == 0) break;
        }
        out.assign(reversed.rbegin(), reversed.rend());
        return out;
    }
    size_t i = 0;
    out.push_back(path[0]);
    while (i + 1 < n) {
        size_t j = n - 1;
        while (j > i + 1 && !LineOfSight(grid, path[i], path[j])) --j;
        out.push_back(path[j]);
        i = j;
    }
    return out;
}
