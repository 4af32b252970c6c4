#include "testkit/hostile_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace testkit {

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Spill(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
    if (at + 4 > bytes.size()) return;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xff);
    return bytes;
}

constexpr uint32_t kFarOffset = 0xffffff00u;

// The header declares an enormous picture: either sides whose product
// overflows 32 bits many times over, or sides each within a plausible
// limit whose area is far beyond any sane picture.
void HugeBmp(std::string& bytes, uint32_t seed) {
    const uint32_t side = (seed % 3 == 0) ? 0x40000000u : 16384u;
    Put32(bytes, 2, 0xfffffff0u);   // file size
    Put32(bytes, 18, side);         // width
    Put32(bytes, 22, side);         // height
    Put32(bytes, 34, 0xfffffff0u);  // image size
}

// The header declares an enormous sound: a data chunk of nearly 4 GiB, or
// one just over 64 MiB with an absurd sample and byte rate.
void HugeWav(std::string& bytes, uint32_t seed) {
    const bool nearly4G = seed % 2 == 0;
    Put32(bytes, 4, 0xfffffff8u);  // RIFF size
    if (!nearly4G) {
        Put32(bytes, 24, 0x7fffffffu);  // sample rate
        Put32(bytes, 28, 0x7fffffffu);  // byte rate
    }
    const size_t data = bytes.find("data", 12);
    if (data != std::string::npos) Put32(bytes, data + 4, nearly4G ? 0xfffffff0u : (64u << 20) + 1);
}

}  // namespace

const char* BreakageName(Breakage kind) {
    switch (kind) {
        case Breakage::Truncated: return "Truncated";
        case Breakage::ZeroLength: return "ZeroLength";
        case Breakage::HugeSize: return "HugeSize";
        case Breakage::RandomBytes: return "RandomBytes";
        case Breakage::Directory: return "Directory";
        case Breakage::NamedPipe: return "NamedPipe";
        case Breakage::Missing: return "Missing";
    }
    return "Unknown";
}

bool BreakFile(const std::string& path, Breakage kind, uint32_t seed, std::string& why) {
    std::error_code error;
    const bool isFile = fs::is_regular_file(path, error);
    const std::string original = isFile ? Slurp(path) : std::string();
    switch (kind) {
        case Breakage::Truncated:
            // Keeps the headers whole where the file is big enough, then
            // cuts the rest short.
            if (!Spill(path, original.substr(0, original.size() > 200 ? original.size() / 2 : original.size() / 3)))
                why = "cannot write " + path;
            break;
        case Breakage::ZeroLength:
            if (!Spill(path, "")) why = "cannot write " + path;
            break;
        case Breakage::HugeSize: {
            std::string bytes = original;
            if (bytes.compare(0, 2, "BM") == 0 && seed % 3 == 2 && bytes.size() >= 54) {
                // A real 4 GiB file (sparse, a few bytes on disk) whose
                // pixel data lie at its very end.
                const uint32_t dataAt = static_cast<uint8_t>(bytes[10]) | static_cast<uint8_t>(bytes[11]) << 8;
                const std::string pixels = bytes.substr(std::min<size_t>(dataAt, bytes.size()));
                bytes.resize(std::min<size_t>(dataAt, bytes.size()));
                Put32(bytes, 10, kFarOffset);
                if (!Spill(path, bytes) || truncate(path.c_str(), kFarOffset) != 0) {
                    why = "cannot make the sparse file " + path;
                    break;
                }
                std::ofstream(path, std::ios::binary | std::ios::app).write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
                break;
            }
            if (bytes.compare(0, 2, "BM") == 0) {
                HugeBmp(bytes, seed);
            } else if (bytes.compare(0, 4, "RIFF") == 0) {
                HugeWav(bytes, seed);
            } else {
                bytes = RandomBytes(original.size(), seed);
            }
            if (!Spill(path, bytes)) why = "cannot write " + path;
            break;
        }
        case Breakage::RandomBytes:
            if (!Spill(path, RandomBytes(original.empty() ? 4096 : original.size(), seed)))
                why = "cannot write " + path;
            break;
        case Breakage::Directory:
            fs::remove_all(path, error);
            if (!fs::create_directory(path, error)) why = "cannot make the folder " + path;
            // Something inside, so that it is not mistaken for an empty file.
            Spill(path + "/inside.bmp", original.empty() ? "BM" : original);
            break;
        case Breakage::NamedPipe:
            fs::remove_all(path, error);
            if (mkfifo(path.c_str(), 0644) != 0) why = "cannot make the pipe " + path;
            break;
        case Breakage::Missing:
            fs::remove_all(path, error);
            if (fs::exists(path)) why = "cannot remove " + path;
            break;
    }
    return why.empty();
}

bool CopyGameFolder(const std::string& gameDir, const std::string& target, std::string& why) {
    std::error_code error;
    const fs::path from(gameDir);
    const fs::path to(target);
    fs::create_hard_link(from / "aerox", to / "aerox", error);
    if (error) {
        error.clear();
        fs::copy_file(from / "aerox", to / "aerox", error);
        if (error) {
            why = "cannot copy the program: " + error.message();
            return false;
        }
    }
    fs::copy(from / "data", to / "data", fs::copy_options::recursive, error);
    if (error) {
        why = "cannot copy data/: " + error.message();
        return false;
    }
    fs::copy_file(from / "smalfont.bmp", to / "smalfont.bmp", error);
    if (error) {
        why = "cannot copy smalfont.bmp: " + error.message();
        return false;
    }
    return true;
}

}  // namespace testkit
