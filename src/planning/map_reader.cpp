#include "planning/map_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/sys_files.h"

namespace {

// A row of the widest map, its line end, and some slack.
constexpr size_t kMaxLine = kMaxPlannerSide + 16;

// Lines from a file (read in chunks) or from memory, never longer than
// kMaxLine: a longer one is refused at kMaxLine + 1 characters.
class LineSource {
public:
    explicit LineSource(std::FILE* file) : file_(file) {}
    LineSource(const char* data, size_t size) : data_(data), size_(size) {}

    // False at the end of the input or on a line too long (tooLong then).
    bool Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            const int c = Get();
            if (c < 0) return any;
            any = true;
            if (c == '\n') break;
            if (line.size() >= kMaxLine) {
                tooLong = true;
                return false;
            }
            line.push_back(static_cast<char>(c));
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
    bool tooLong = false;

private:
    int Get() {
        if (pos_ == size_) {
            if (file_ == nullptr) return -1;
            size_ = std::fread(chunk_, 1, sizeof chunk_, file_);
            pos_ = 0;
            data_ = chunk_;
            if (size_ == 0) return -1;
        }
        return static_cast<unsigned char>(data_[pos_++]);
    }

    std::FILE* file_ = nullptr;
    const char* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    char chunk_[1 << 16];
};

// "name value" with value a whole number 1..kMaxPlannerSide.
bool ReadSide(const std::string& line, const char* name, int& side) {
    const size_t n = std::strlen(name);
    if (line.compare(0, n, name) != 0 || line.size() <= n || line[n] != ' ') return false;
    size_t i = n;
    while (i < line.size() && line[i] == ' ') ++i;
    long value = 0;
    size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        if (digits >= 5) return false;
        value = value * 10 + (line[i] - '0');
    }
    while (i < line.size() && line[i] == ' ') ++i;
    if (digits == 0 || i != line.size() || value < 1 || value > kMaxPlannerSide) return false;
    side = static_cast<int>(value);
    return true;
}

int CellCost(char c) {
    switch (c) {
        case '.':
        case 'G':
        case 'S': return 1;
        case '@':
        case 'O':
        case 'T':
        case 'W': return 0;
        default: return -1;
    }
}

std::unique_ptr<PlannerGrid> ReadMap(LineSource& source, std::string& error) {
    std::string line;
    auto fail = [&](const std::string& why) {
        error = source.tooLong ? "a line is too long" : why;
        return nullptr;
    };
    if (!source.Next(line) || line != "type octile") return fail("no \"type octile\" line");
    int height = 0;
    int width = 0;
    for (int k = 0; k < 2; ++k) {
        if (!source.Next(line)) return fail("no size lines");
        if (!ReadSide(line, "height", height) && !ReadSide(line, "width", width)) {
            return fail("a size line is not \"height N\" or \"width N\" with N 1..4096");
        }
    }
    if (height == 0 || width == 0) return fail("no height or no width");
    if (!source.Next(line) || line != "map") return fail("no \"map\" line");
    auto grid = std::make_unique<PlannerGrid>(width, height);
    for (int y = 0; y < height; ++y) {
        if (!source.Next(line)) return fail("fewer rows than the height");
        if (line.size() != static_cast<size_t>(width)) return fail("row " + std::to_string(y) + " is not the width");
        for (int x = 0; x < width; ++x) {
            const int cost = CellCost(line[static_cast<size_t>(x)]);
            if (cost < 0) return fail("unknown character in row " + std::to_string(y));
            if (cost != 1) grid->SetCost(x, y, static_cast<uint8_t>(cost));
        }
    }
    while (source.Next(line)) {
        if (line.find_first_not_of(" \t") != std::string::npos) return fail("more rows than the height");
    }
    if (source.tooLong) return fail("");
    return grid;
}

}  // namespace

std::unique_ptr<PlannerGrid> ReadPlannerMapFile(const std::string& path, std::string& error) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        error = "cannot open the file";
        return nullptr;
    }
    auto source = std::make_unique<LineSource>(file);
    auto grid = ReadMap(*source, error);
    std::fclose(file);
    return grid;
}

std::unique_ptr<PlannerGrid> ReadPlannerMapMemory(const char* data, size_t size, std::string& error) {
    auto source = std::make_unique<LineSource>(data, size);
    return ReadMap(*source, error);
}
