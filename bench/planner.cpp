// The engine's planner beside Boost Graph's astar_search on the same grids,
// the same octile heuristic and the same move rule (eight directions, no
// corner cutting): the arena map's scenarios, and a 512x512 map with 20% of
// its cells blocked at random and 1,000 random reachable queries. The
// planner runs twice: plain A*, and with the jump point search FindPath
// chooses on such maps. Every length of both is checked against Boost's
// before anything is timed.
//   build/bench/aerox_bench_planner
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "planning/map_reader.h"
#include "planning/planner.h"

#ifdef AEROX_BENCH_BOOST
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/astar_search.hpp>
#endif

namespace {

struct Query {
    int sx, sy, gx, gy;
    double optimal;  // -1 when not known
};

struct Case {
    std::unique_ptr<Planner> planner;
    std::vector<Query> queries;
};

Case Arena() {
    Case c;
    std::string error;
    const std::string data = std::string(AEROX_SOURCE_DIR) + "/tests/planning/data/";
    auto grid = ReadPlannerMapFile(data + "arena.map", error);
    if (grid == nullptr) return c;
    c.planner = std::make_unique<Planner>(std::move(grid));
    std::ifstream scenarios(data + "arena.map.scen");
    std::string line;
    std::getline(scenarios, line);
    while (std::getline(scenarios, line)) {
        std::istringstream fields(line);
        std::string bucket, map, width, height;
        Query q{};
        if (fields >> bucket >> map >> width >> height >> q.sx >> q.sy >> q.gx >> q.gy >> q.optimal) {
            c.queries.push_back(q);
        }
    }
    return c;
}

Case RandomMap() {
    Case c;
    constexpr int kSide = 512;
    std::mt19937 random(20240611);
    auto grid = std::make_unique<PlannerGrid>(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (random() % 100 < 20) grid->SetCost(x, y, 0);
        }
    }
    while (c.queries.size() < 1000) {
        const Query q{static_cast<int>(random() % kSide), static_cast<int>(random() % kSide),
                      static_cast<int>(random() % kSide), static_cast<int>(random() % kSide), -1};
        const int s = grid->Index(q.sx, q.sy);
        const int g = grid->Index(q.gx, q.gy);
        if (grid->Cost(s) != 0 && grid->Cost(g) != 0 && grid->Region(s) == grid->Region(g)) c.queries.push_back(q);
    }
    c.planner = std::make_unique<Planner>(std::move(grid));
    return c;
}

const Case& TheArena() {
    static const Case c = Arena();
    return c;
}
const Case& TheRandomMap() {
    static const Case c = RandomMap();
    return c;
}

// Each query's best time of a few runs; over all the queries, their median
// and their mean. The mean is the fair figure per query: Google
// Benchmark's own loop takes the queries in turn and stops after as many as
// fill its time, so a slow search sees only the first few.
struct QueryTimes {
    double median;
    double mean;
    double slowest;
};

template <typename Run>
QueryTimes TimeQueries(const std::vector<Query>& queries, Run run) {
    std::vector<double> times;
    double sum = 0;
    double slowest = 0;
    for (const Query& q : queries) {
        double best = 1e30;
        for (int r = 0; r < 3; ++r) {
            const auto t0 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(run(q));
            const auto t1 = std::chrono::steady_clock::now();
            best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count());
        }
        times.push_back(best);
        sum += best;
        slowest = std::max(slowest, best);
    }
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return {times[times.size() / 2], sum / static_cast<double>(times.size()), slowest};
}

void SetTimeCounters(benchmark::State& state, const QueryTimes& times) {
    state.counters["median_us"] = times.median;
    state.counters["mean_us"] = times.mean;
    state.counters["slowest_us"] = times.slowest;
}

// jumps: whether FindPath may choose jump point search (it does on both
// maps: their open cells all cost 1); without, it is plain A*.
void Aerox(benchmark::State& state, const Case& c, bool jumps) {
    if (c.planner == nullptr) {
        state.SkipWithError("no map");
        return;
    }
    Planner& planner = *c.planner;
    planner.Search().AllowJumpPoints(jumps);
    // The tables FindPath builds once searches have paid for them.
    planner.Grid().BuildTables();
    double expansions = 0;
    for (const Query& q : c.queries) {
        const double length = planner.Find(q.sx, q.sy, q.gx, q.gy);
        expansions += static_cast<double>(planner.Expansions());
        if (q.optimal >= 0 && std::abs(length - q.optimal) > 1e-5 * q.optimal) {
            state.SkipWithError("a length is not the scenario's");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        const Query& q = c.queries[i++ % c.queries.size()];
        benchmark::DoNotOptimize(planner.Find(q.sx, q.sy, q.gx, q.gy));
    }
    SetTimeCounters(state,
                    TimeQueries(c.queries, [&](const Query& q) { return planner.Find(q.sx, q.sy, q.gx, q.gy); }));
    state.counters["expansions"] = expansions / static_cast<double>(c.queries.size());
    planner.Search().AllowJumpPoints(true);
}

void BM_ArenaAeroxAStar(benchmark::State& state) { Aerox(state, TheArena(), false); }
void BM_ArenaAeroxJumpPoints(benchmark::State& state) { Aerox(state, TheArena(), true); }
void BM_Random512AeroxAStar(benchmark::State& state) { Aerox(state, TheRandomMap(), false); }
void BM_Random512AeroxJumpPoints(benchmark::State& state) { Aerox(state, TheRandomMap(), true); }
// What building the tables costs once a cell has opened or closed: the
// work searches must have done before FindPath builds them.
void BM_Random512Tables(benchmark::State& state) {
    const PlannerGrid& source = TheRandomMap().planner->Grid();
    PlannerGrid grid(source.Width(), source.Height());
    for (int32_t cell = 0; cell < source.Cells(); ++cell) {
        grid.SetCost(cell % source.Width(), cell / source.Width(), source.Cost(cell));
    }
    for (auto _ : state) {
        const uint8_t cost = grid.Cost(0, 0);
        grid.SetCost(0, 0, cost == 0 ? 1 : 0);  // drops the tables
        grid.BuildTables();
    }
}

// Searches from a cell's change on, as a game makes them: the slowest one
// while the tables are built a slice at a time, and how many searches it
// takes until both are ready.
void BM_Random512SearchesWhileTablesBuild(benchmark::State& state) {
    const Case& c = TheRandomMap();
    const PlannerGrid& source = c.planner->Grid();
    for (auto _ : state) {
        auto grid = std::make_unique<PlannerGrid>(source.Width(), source.Height());
        for (int32_t cell = 0; cell < source.Cells(); ++cell) {
            grid->SetCost(cell % source.Width(), cell / source.Width(), source.Cost(cell));
        }
        Planner planner(std::move(grid));
        double slowest = 0;
        size_t searches = 0;
        for (; searches < 100000 && !(planner.Search().UsedLandmarks() && planner.Search().UsedJumpPoints());
             ++searches) {
            const Query& q = c.queries[searches % c.queries.size()];
            const auto t0 = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(planner.Find(q.sx, q.sy, q.gx, q.gy));
            const auto t1 = std::chrono::steady_clock::now();
            slowest = std::max(slowest, std::chrono::duration<double, std::milli>(t1 - t0).count());
        }
        state.counters["slowest_ms"] = slowest;
        state.counters["searches_until_ready"] = static_cast<double>(searches);
    }
}

BENCHMARK(BM_ArenaAeroxAStar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ArenaAeroxJumpPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Random512AeroxAStar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Random512AeroxJumpPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Random512Tables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Random512SearchesWhileTablesBuild)->Unit(benchmark::kMillisecond)->Iterations(1);

#ifdef AEROX_BENCH_BOOST

using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                    boost::property<boost::edge_weight_t, double>>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;

// The grid as a graph: an edge for every step the move rule allows.
Graph GridGraph(const PlannerGrid& grid) {
    Graph graph(static_cast<size_t>(grid.Cells()));
    for (int y = 0; y < grid.Height(); ++y) {
        for (int x = 0; x < grid.Width(); ++x) {
            if (!grid.Open(x, y)) continue;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || !grid.Open(x + dx, y + dy)) continue;
                    const bool diagonal = dx != 0 && dy != 0;
                    if (diagonal && !grid.DiagonalAllowed(x, y, dx, dy)) continue;
                    const double cost = grid.Cost(x + dx, y + dy) * (diagonal ? kSqrt2 : 1.0);
                    boost::add_edge(static_cast<Vertex>(grid.Index(x, y)),
                                    static_cast<Vertex>(grid.Index(x + dx, y + dy)), cost, graph);
                }
            }
        }
    }
    return graph;
}

class Octile : public boost::astar_heuristic<Graph, double> {
public:
    Octile(int width, int gx, int gy, double scale) : width_(width), gx_(gx), gy_(gy), scale_(scale) {}
    double operator()(Vertex v) const {
        const int dx = std::abs(static_cast<int>(v) % width_ - gx_);
        const int dy = std::abs(static_cast<int>(v) / width_ - gy_);
        return scale_ * (std::max(dx, dy) - std::min(dx, dy) + kSqrt2 * std::min(dx, dy));
    }

private:
    int width_, gx_, gy_;
    double scale_;
};

struct FoundGoal {};

class StopAtGoal : public boost::default_astar_visitor {
public:
    explicit StopAtGoal(Vertex goal) : goal_(goal) {}
    void examine_vertex(Vertex u, const Graph&) const {
        if (u == goal_) throw FoundGoal{};
    }

private:
    Vertex goal_;
};

struct BoostCase {
    Graph graph;
    std::vector<Vertex> predecessors;
    std::vector<double> distances;
    int width;
    double scale;

    double Find(const Query& q) {
        const auto goal = static_cast<Vertex>(q.gy * width + q.gx);
        const auto start = static_cast<Vertex>(q.sy * width + q.sx);
        try {
            boost::astar_search(
                graph, start, Octile(width, q.gx, q.gy, scale),
                boost::predecessor_map(
                    boost::make_iterator_property_map(predecessors.begin(), get(boost::vertex_index, graph)))
                    .distance_map(boost::make_iterator_property_map(distances.begin(), get(boost::vertex_index, graph)))
                    .visitor(StopAtGoal(goal)));
        } catch (const FoundGoal&) {
            return distances[goal];
        }
        return -1;
    }
};

BoostCase MakeBoost(const Case& c) {
    const PlannerGrid& grid = c.planner->Grid();
    BoostCase b{GridGraph(grid), {}, {}, grid.Width(), static_cast<double>(grid.CheapestCost())};
    b.predecessors.resize(static_cast<size_t>(grid.Cells()));
    b.distances.resize(static_cast<size_t>(grid.Cells()));
    return b;
}

void Boost(benchmark::State& state, const Case& c) {
    if (c.planner == nullptr) {
        state.SkipWithError("no map");
        return;
    }
    BoostCase b = MakeBoost(c);
    for (const Query& q : c.queries) {
        const double theirs = b.Find(q);
        for (const bool jumps : {false, true}) {
            c.planner->Search().AllowJumpPoints(jumps);
            const double ours = c.planner->Find(q.sx, q.sy, q.gx, q.gy);
            if (std::abs(ours - theirs) > 1e-9 * (1 + theirs)) {
                state.SkipWithError(jumps ? "a jump point search length differs from Boost's"
                                          : "an A* length differs from Boost's");
                return;
            }
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        const Query& q = c.queries[i++ % c.queries.size()];
        benchmark::DoNotOptimize(b.Find(q));
    }
    SetTimeCounters(state, TimeQueries(c.queries, [&](const Query& q) { return b.Find(q); }));
    state.counters["lengths_equal"] = static_cast<double>(c.queries.size());
}

void BM_ArenaBoost(benchmark::State& state) { Boost(state, TheArena()); }
void BM_Random512Boost(benchmark::State& state) { Boost(state, TheRandomMap()); }
BENCHMARK(BM_ArenaBoost)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Random512Boost)->Unit(benchmark::kMicrosecond);

#endif

}  // namespace
