// Chase: a maze drawn with rectangles, the player on the arrow keys and
// three chasers that follow with the path planner. Two step from cell to
// cell; the third walks the smoothed path at any angle. The number keys
// 1 to 9 put up or take down a wall that many cells right of the player.
#include <aerox/aerox.h>

namespace {

constexpr double kCell = 16, kColumns = 20, kRows = 14, kGrid = 0;
constexpr double kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD, kOne = 0x02;

// '#' is a wall; the rest is ground.
const char* const kMaze[] = {
    "####################", "#........#.........#", "#.####.#.#.#####.#.#", "#.#....#...#.....#.#",
    "#.#.######.#.###.#.#", "#...#......#...#...#", "###.#.####.###.#.###", "#...#.#........#...#",
    "#.###.#.######.###.#", "#.....#......#.....#", "#.#####.####.#.###.#", "#.......#....#...#.#",
    "#.######..........##", "####################",
};

struct Mover {
    double x, y;  // pixels, top-left of its square
    double colour;
    bool smooth;  // walks the smoothed path at any angle
    double targetX, targetY;
};

double CellOf(double pixels) { return static_cast<int>((pixels + kCell / 2) / kCell); }
bool Open(double x, double y) { return GetPlannerCell(kGrid, x, y) > 0; }

void BuildMaze() {
    CreatePlanner(kGrid, kColumns, kRows);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) SetPlannerCell(kGrid, x, y, kMaze[y][x] == '#' ? 0 : 1);
}

// The chaser's next target: the next cell of a shortest path to the
// player, or for the smooth one the next corner of the smoothed path.
void Aim(Mover& m, double playerX, double playerY) {
    if (FindPath(kGrid, CellOf(m.x), CellOf(m.y), playerX, playerY) <= 0) return;
    if (m.smooth) SmoothPath(kGrid);
    if (PathPoints(kGrid) < 2) return;
    m.targetX = PathX(kGrid, 1) * kCell;
    m.targetY = PathY(kGrid, 1) * kCell;
}

// Moves toward the target by at most speed pixels.
void Step(Mover& m, double speed) {
    const double dx = m.targetX - m.x, dy = m.targetY - m.y, d = Sqr(dx * dx + dy * dy);
    if (d <= speed) {
        m.x = m.targetX;
        m.y = m.targetY;
    } else {
        m.x += dx / d * speed;
        m.y += dy / d * speed;
    }
}

void Game() {
    BuildMaze();
    double px = 1, py = 1, moveWait = 0;
    const Mover start[] = {{17 * kCell, 12 * kCell, 0x2020E0, false, 17 * kCell, 12 * kCell},
                           {18 * kCell, 1 * kCell, 0xE020E0, false, 18 * kCell, 1 * kCell},
                           {9 * kCell, 12 * kCell, 0x20C0FF, true, 9 * kCell, 12 * kCell}};
    Mover chasers[] = {start[0], start[1], start[2]};
    double caught = 0;
    for (;;) {
        // The player: one cell at a time, a step every eight frames held.
        const double dx = KeyDown(kRight) - KeyDown(kLeft), dy = KeyDown(kDown) - KeyDown(kUp);
        if (moveWait > 0) --moveWait;
        if ((dx != 0 || dy != 0) && moveWait == 0) {
            if (dx != 0 && Open(px + dx, py))
                px += dx;
            else if (dy != 0 && Open(px, py + dy))
                py += dy;
            moveWait = 8;
        }
        for (double k = 1; k <= 9; ++k) {
            const double x = px + k;
            if (KeyPressed(kOne + k - 1) > 0 && x < kColumns - 1)
                SetPlannerCell(kGrid, x, py, GetPlannerCell(kGrid, x, py) == 0 ? 1 : 0);
        }
        for (Mover& m : chasers) {
            if (m.x == m.targetX && m.y == m.targetY) Aim(m, px, py);
            Step(m, m.smooth ? 1.2 : 1);
            if (CellOf(m.x) == px && CellOf(m.y) == py) caught = 60;
        }
        // Caught: the chasers go back to their corners.
        if (caught > 0 && --caught == 59)
            for (int i = 0; i < 3; ++i) chasers[i] = start[i];

        for (double y = 0; y < kRows; ++y)
            for (double x = 0; x < kColumns; ++x)
                if (!Open(x, y)) DrawRect(x * kCell, y * kCell, x * kCell + kCell - 1, y * kCell + kCell - 1, 0x805030);
        DrawRect(px * kCell + 3, py * kCell + 3, px * kCell + kCell - 4, py * kCell + kCell - 4, 0x40FF40);
        for (const Mover& m : chasers) DrawRect(m.x + 2, m.y + 2, m.x + kCell - 3, m.y + kCell - 3, m.colour);
        PrintText(caught > 0 ? "CAUGHT!" : "ARROWS MOVE  1-9 WALLS  ESC QUITS", 8, kRows * kCell + 4);
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Chase";
    settings.version = "1.0";
    settings.screenWidth = static_cast<int>(kColumns * kCell);
    settings.screenHeight = static_cast<int>(kRows * kCell + 16);
    return RunGame(argc, argv, settings, &Game);
}
