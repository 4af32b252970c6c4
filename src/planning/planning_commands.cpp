// The planner commands over slots 0..255. They need no window, so they work
// before the engine starts; bad input gives the failure value and one log
// line naming the command.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "aerox/planning.h"
#include "aerox/program.h"
#include "gfx/data_resolver.h"
#include "planning/map_reader.h"
#include "planning/planner.h"

namespace {

constexpr int kPlannerSlots = 256;
std::unique_ptr<Planner> g_planners[kPlannerSlots];

void Log(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The slot number with its fraction cut off, or -1 (logged).
int SlotNumber(const char* command, double slot) {
    if (!(slot >= 0 && slot < kPlannerSlots)) {
        Log(command, "slot " + Number(slot) + " is not 0..255");
        return -1;
    }
    return static_cast<int>(slot);
}

// The slot's planner, or null (logged) for a bad or empty slot.
Planner* SlotPlanner(const char* command, double slot) {
    const int n = SlotNumber(command, slot);
    if (n < 0) return nullptr;
    Planner* planner = g_planners[n].get();
    if (planner == nullptr) Log(command, "planner slot " + std::to_string(n) + " holds no grid");
    return planner;
}

// A cell of the planner's grid, fractions cut off, or false (logged).
bool GridCell(const char* command, const Planner& planner, double x, double y, int& cx, int& cy) {
    const PlannerGrid& grid = planner.Grid();
    if (!(x >= 0 && x < grid.Width() && y >= 0 && y < grid.Height())) {
        Log(command, "cell (" + Number(x) + ", " + Number(y) + ") is outside the grid");
        return false;
    }
    cx = static_cast<int>(x);
    cy = static_cast<int>(y);
    return true;
}

bool Endpoints(const char* command, const Planner& planner, double sx, double sy, double gx, double gy, int (&c)[4]) {
    return GridCell(command, planner, sx, sy, c[0], c[1]) && GridCell(command, planner, gx, gy, c[2], c[3]);
}

// The path point's column (0) or row (1), or -1.
double PathCoordinate(const char* command, double slot, double index, int which) {
    const Planner* planner = SlotPlanner(command, slot);
    if (planner == nullptr) return -1;
    const auto& path = planner->Path();
    if (!(index >= 0 && index < static_cast<double>(path.size()))) {
        Log(command, "point " + Number(index) + " is not on the path of " + std::to_string(path.size()) + " points");
        return -1;
    }
    const int32_t cell = path[static_cast<size_t>(index)];
    const int width = planner->Grid().Width();
    return which == 0 ? cell % width : cell / width;
}

}  // namespace

double CreatePlanner(double slot, double width, double height) {
    const int n = SlotNumber("CreatePlanner", slot);
    if (n < 0) return 0;
    if (!(width >= 1 && width < kMaxPlannerSide + 1 && height >= 1 && height < kMaxPlannerSide + 1)) {
        Log("CreatePlanner", "size " + Number(width) + " x " + Number(height) + " is not 1..4096 x 1..4096");
        return 0;
    }
    g_planners[n].reset();
    g_planners[n] =
        std::make_unique<Planner>(std::make_unique<PlannerGrid>(static_cast<int>(width), static_cast<int>(height)));
    return 1;
}

void FreePlanner(double slot) {
    const int n = SlotNumber("FreePlanner", slot);
    if (n >= 0) g_planners[n].reset();
}

double LoadPlannerMap(double slot, const RtString& path) {
    const int n = SlotNumber("LoadPlannerMap", slot);
    if (n < 0) return 0;
    g_planners[n].reset();
    const std::string name = path.Text();
    std::string resolved;
    if (!ResolveAssetFile(name, resolved)) resolved = name;
    std::string error;
    auto grid = ReadPlannerMapFile(resolved, error);
    if (grid == nullptr) {
        Log("LoadPlannerMap", name + ": " + error);
        return 0;
    }
    g_planners[n] = std::make_unique<Planner>(std::move(grid));
    return 1;
}

double SetPlannerCell(double slot, double x, double y, double cost) {
    Planner* planner = SlotPlanner("SetPlannerCell", slot);
    int cx = 0;
    int cy = 0;
    if (planner == nullptr || !GridCell("SetPlannerCell", *planner, x, y, cx, cy)) return 0;
    if (!(cost >= 0 && cost < 256)) {
        Log("SetPlannerCell", "cost " + Number(cost) + " is not 0..255");
        return 0;
    }
    planner->SetCost(cx, cy, static_cast<uint8_t>(cost));
    return 1;
}

double GetPlannerCell(double slot, double x, double y) {
    const Planner* planner = SlotPlanner("GetPlannerCell", slot);
    int cx = 0;
    int cy = 0;
    if (planner == nullptr || !GridCell("GetPlannerCell", *planner, x, y, cx, cy)) return -1;
    return planner->Grid().Cost(cx, cy);
}

double SetPlannerMoves(double slot, double kind) {
    Planner* planner = SlotPlanner("SetPlannerMoves", slot);
    if (planner == nullptr) return 0;
    if (kind != 0 && kind != 1 && kind != 2) {
        Log("SetPlannerMoves", "move rule " + Number(kind) + " is not 0, 1 or 2");
        return 0;
    }
    planner->SetMoves(static_cast<MoveRule>(static_cast<int>(kind)));
    return 1;
}

double FindPath(double slot, double startX, double startY, double goalX, double goalY) {
    Planner* planner = SlotPlanner("FindPath", slot);
    int c[4];
    if (planner == nullptr || !Endpoints("FindPath", *planner, startX, startY, goalX, goalY, c)) return -1;
    return planner->Find(c[0], c[1], c[2], c[3]);
}

double PathPoints(double slot) {
    const Planner* planner = SlotPlanner("PathPoints", slot);
    return planner == nullptr ? 0 : static_cast<double>(planner->Path().size());
}

double PathX(double slot, double index) { return PathCoordinate("PathX", slot, index, 0); }

double PathY(double slot, double index) { return PathCoordinate("PathY", slot, index, 1); }

double SetPartialPaths(double slot, double on) {
    Planner* planner = SlotPlanner("SetPartialPaths", slot);
    if (planner == nullptr) return 0;
    planner->SetPartial(on != 0 && !std::isnan(on));
    return 1;
}

double PathReachedGoal(double slot) {
    const Planner* planner = SlotPlanner("PathReachedGoal", slot);
    return planner != nullptr && planner->ReachedGoal() && !planner->Path().empty() ? 1 : 0;
}

double SmoothPath(double slot) {
    Planner* planner = SlotPlanner("SmoothPath", slot);
    return planner == nullptr ? 0 : static_cast<double>(planner->Smooth());
}

double StartPathSearch(double slot, double startX, double startY, double goalX, double goalY) {
    Planner* planner = SlotPlanner("StartPathSearch", slot);
    int c[4];
    if (planner == nullptr || !Endpoints("StartPathSearch", *planner, startX, startY, goalX, goalY, c)) return 0;
    planner->StartSearch(c[0], c[1], c[2], c[3]);
    return 1;
}

double StepPathSearch(double slot, double maxExpansions) {
    Planner* planner = SlotPlanner("StepPathSearch", slot);
    if (planner == nullptr) return -1;
    int64_t budget = 1;
    if (maxExpansions > 1e15) {
        budget = int64_t{1} << 50;
    } else if (maxExpansions >= 1) {
        budget = static_cast<int64_t>(maxExpansions);
    }
    return planner->Step(budget);
}

double PathExpansions(double slot) {
    const Planner* planner = SlotPlanner("PathExpansions", slot);
    return planner == nullptr ? -1 : static_cast<double>(planner->Expansions());
}
