// The saved hi-score table in the real program, played from outside on a
// private X server: the menu's arrow is moved to HI-SCORES and chosen, the
// window shows the table of the prepared hiscores.txt pixel for pixel as the
// game draws that table itself, Escape goes back to the menu and a second
// Escape ends the program with exit code 0. A file that cannot be trusted is
// set aside with its bytes as they were, and one log line says so, while
// its valid entry still shows and the program runs as usual.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "engine/program.h"
#include "frame/presenter.h"
#include "game/game.h"
#include "game/game_state.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "runtime/command_trace.h"
#include "testkit/private_x_server.h"
#include "testkit/running_program.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

using testkit::RunningProgram;
using testkit::Shot;

struct HiScoreCase {
    std::string name;
    std::string file;               // hiscores.txt's bytes
    std::vector<std::string> rows;  // the ten rows the table prints for it
    bool setAside;                  // the file is not to be trusted
};

void PrintTo(const HiScoreCase& c, std::ostream* out) { *out << c.name; }

std::vector<std::string> WithEmptyRows(std::vector<std::string> rows) {
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in
    // " " + a temporary string (-Wrestrict).
    for (size_t rank = rows.size() + 1; rank <= 10; ++rank) {
        std::string row(rank < 10 ? 1 : 0, ' ');
        row += std::to_string(rank);
        row += ".  ---";
        rows.push_back(row);
    }
    return rows;
}

// PNG signature and header bytes around one good line, and an entry spoilt
// by a control byte.
const char kCorrupt[] = "\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\n4242 BIN\n\xff\xfe\x00\x01 1000 AAA\x07\n";

std::vector<HiScoreCase> Cases() {
    return {
        {"Prepared", "# written by the test\n987654321 ZAP\n31337 Q\n4096\n77 XYW\n",
         WithEmptyRows({" 1.  ZAP 987654321", " 2.    Q     31337", " 3.           4096", " 4.  XYW        77"}),
         false},
        {"Corrupt", std::string(kCorrupt, sizeof kCorrupt - 1), WithEmptyRows({" 1.  BIN      4242"}), true},
    };
}

// The game's own drawing of a table: the game run in this process on a
// clock that never waits, its frame read back once the table has been up
// for a while, with the texts that frame printed.
struct TableDrawing {
    std::vector<uint8_t> frame;  // RGBA, rows from the top
    std::vector<std::string> texts;
};

struct InProcessRun {
    TableDrawing drawing;
    std::vector<std::string> texts;  // of the frame being drawn
    int tableFrames = 0;
    int polls = 0;
    bool drawn = false;
};
InProcessRun* g_run = nullptr;

void Trace(const TracedCommand& command, void*) {
    if (std::strcmp(command.name, "PrintText") == 0 && command.text != nullptr) g_run->texts.push_back(command.text);
}

void Observe(OpenGLZodadodu& context, void*) {
    // The frame on which the menu chose the table still shows the menu.
    if (!g_run->drawn && game::gameState == game::STATE_HISCORES && ++g_run->tableFrames == 10) {
        g_run->drawing.frame = ReadBackBuffer(context);
        g_run->drawing.texts = g_run->texts;
        g_run->drawn = true;
    }
    g_run->texts.clear();
}

// Return on the menu's HI-SCORES row until the table has been read, then
// Escape (back to the menu, then the end); Escape too if the table never
// comes, so the run always ends. Keys go down every other poll.
void Keys(uint8_t keys[256], void*) {
    std::memset(keys, 0, 256);
    const bool down = ++g_run->polls % 2 == 0;
    if (g_run->drawn || g_run->polls > 1000) {
        keys[1] = down ? 0x80 : 0;
    } else if (game::gameState == game::STATE_MENU) {
        game::menuIndex = 3;
        keys[28] = down ? 0x80 : 0;
    }
}

// The program's start-up in the game's folder: here the program's own
// folder is the test's.
void GameMainInTheGamesFolder() {
    const char* dir = std::getenv("AEROX_GAME_DIR");
    if (dir == nullptr || chdir(dir) != 0) return;
    LoadFont("smalfont.bmp", 0);
    // The window of a test may not have the focus.
    AutoPause = false;
    GameMain();
}

// Runs the game as the program does, with the user's folder given; false
// when the table was never drawn.
bool DrawTableInProcess(const std::string& userDir, TableDrawing& drawing) {
    testkit::TempFolder temp;
    const testkit::KeptEnvironmentVariable userDirVariable("AEROX_USER_DIR");
    const testkit::KeptEnvironmentVariable tempVariable("TMPDIR");
    const std::filesystem::path oldFolder = std::filesystem::current_path();
    userDirVariable.Set(userDir);
    tempVariable.Set(temp.path());
    InProcessRun run;
    g_run = &run;
    {
        testkit::VirtualClock clock;
        SetCommandTracer(&Trace, nullptr);
        SetFrameObserver(&Observe, nullptr);
        SetKeySource(&Keys, nullptr);
        const double code = testkit::ExpectProgramEnd([] { RunProgram("", AeroxSettings(), &GameMainInTheGamesFolder); });
        EXPECT_EQ(0, code) << "the game in this process";
        SetKeySource(nullptr, nullptr);
        SetFrameObserver(nullptr, nullptr);
        SetCommandTracer(nullptr, nullptr);
    }
    g_run = nullptr;
    std::filesystem::current_path(oldFolder);
    drawing = run.drawing;
    return run.drawn;
}

// Pixels of the window's shot unlike the drawn frame; a shot of another
// size differs everywhere. The first difference goes to where.
int Differences(const Shot& shot, const std::vector<uint8_t>& frame, std::string& where) {
    constexpr int kWidth = 320, kHeight = 240;
    if (shot.width != kWidth || shot.height != kHeight || frame.size() != size_t{kWidth} * kHeight * 4) {
        std::ostringstream text;
        text << "shot " << shot.width << "x" << shot.height;
        where = text.str();
        return kWidth * kHeight;
    }
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* s = shot.At(x, y);
            const uint8_t* f = frame.data() + (static_cast<size_t>(y) * kWidth + x) * 4;
            if (s[0] == f[0] && s[1] == f[1] && s[2] == f[2]) continue;
            if (count++ == 0) {
                std::ostringstream text;
                text << "first at " << x << "," << y << ": window " << int{s[0]} << "/" << int{s[1]} << "/" << int{s[2]}
                     << ", drawn " << int{f[0]} << "/" << int{f[1]} << "/" << int{f[2]};
                where = text.str();
            }
        }
    return count;
}

// The menu row (0-4) the arrow points at, or -1: the arrow is drawn at
// (0, 145 + 18 * row), its left part clear of the menu picture at x 10.
int ArrowRow(const Shot& s) {
    int row = -1, most = 10;
    for (int r = 0; r < 5; ++r) {
        const int lit = s.Lit(0, 145 + 18 * r, 10, 161 + 18 * r);
        if (lit > most) row = r, most = lit;
    }
    return s.valid() && testkit::MenuShown(s) ? row : -1;
}

// Down, each press watched on screen until the arrow has moved, until it
// points at the row; a press seen twice only means going round once more.
bool MoveArrowTo(const RunningProgram& run, int row) {
    Shot shot = testkit::GrabWindow(run.window);
    for (int press = 0; press < 12 && ArrowRow(shot) != row; ++press) {
        const int from = ArrowRow(shot);
        if (from < 0) return false;
        shot = run.PressUntilShot("Down", [from](const Shot& s) { return ArrowRow(s) >= 0 && ArrowRow(s) != from; });
    }
    return ArrowRow(shot) == row;
}

std::vector<std::string> SetAsideFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("hiscores.txt.bad-")) names.push_back(name);
    }
    return names;
}

std::vector<std::string> LogLinesAbout(const std::string& log, const std::string& word) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.find(word) != std::string::npos) lines.push_back(line);
    return lines;
}

class HiScoresRun : public ::testing::TestWithParam<HiScoreCase> {};

TEST_P(HiScoresRun, TheTableShowsAsTheGameDrawsItAndEscapeTwiceEnds) {
    const HiScoreCase& c = GetParam();
    // A display of its own: other tests' windows cannot take the focus.
    PrivateXServer x;
    ASSERT_TRUE(x.running()) << "cannot start Xvfb";

    // What the table looks like, drawn by the game from a copy of the file:
    // its texts hold it to the file's entries, and the window is then held
    // to the drawing pixel for pixel.
    TableDrawing drawing;
    {
        testkit::TempFolder copy;
        testkit::WriteFile(copy.File("hiscores.txt"), c.file);
        ASSERT_TRUE(DrawTableInProcess(copy.path(), drawing)) << "the game in this process never drew the table";
    }
    std::vector<std::string> texts{"HI-SCORES"};
    texts.insert(texts.end(), c.rows.begin(), c.rows.end());
    ASSERT_EQ(texts, drawing.texts) << "the game's own table is not the file's";

    testkit::TempFolder userDir;
    testkit::WriteFile(userDir.File("hiscores.txt"), c.file);
    RunningProgram run({"AEROX_USER_DIR=" + userDir.path()});
    ASSERT_TRUE(run.Start());
    run.Focus();
    ASSERT_TRUE(testkit::MenuShown(testkit::WaitForShot(run.window, testkit::MenuShown, 10))) << "no menu";
    ASSERT_TRUE(MoveArrowTo(run, 3)) << "the arrow did not reach HI-SCORES";

    ASSERT_FALSE(testkit::MenuShown(run.PressUntilShot("Return", [](const Shot& s) { return !testkit::MenuShown(s); })))
        << "Return left the menu on screen";
    std::string where;
    const auto same = [&](const Shot& s) { return Differences(s, drawing.frame, where) == 0; };
    Shot table = testkit::WaitForShot(run.window, same, 5);
    EXPECT_EQ(0, Differences(table, drawing.frame, where)) << "the window's table, " << where;
    // Still the same on the next grab: the table is what stays on screen.
    table = testkit::GrabWindow(run.window);
    EXPECT_EQ(0, Differences(table, drawing.frame, where)) << "the window's table later, " << where;

    ASSERT_TRUE(testkit::MenuShown(run.PressUntilShot("Escape", testkit::MenuShown))) << "Escape kept the table";
    run.PressUntilEnded("Escape");

    const std::vector<std::string> aside = SetAsideFiles(userDir.path());
    const std::vector<std::string> logLines = LogLinesAbout(testkit::ReadFile(run.LogPath()), "hiscores.txt");
    if (c.setAside) {
        ASSERT_EQ(1u, aside.size());
        EXPECT_EQ(c.file, testkit::ReadFile(userDir.File(aside[0]))) << "the set-aside file's bytes changed";
        ASSERT_EQ(1u, logLines.size()) << testkit::ReadFile(run.LogPath());
        EXPECT_NE(std::string::npos, logLines[0].find(aside[0])) << logLines[0];
    } else {
        EXPECT_TRUE(aside.empty()) << aside[0];
        EXPECT_TRUE(logLines.empty()) << logLines[0];
        EXPECT_EQ(c.file, testkit::ReadFile(userDir.File("hiscores.txt"))) << "a trusted file is left as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(HiScoreFiles, HiScoresRun, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HiScoreCase>& info) { return info.param.name; });

}  // namespace
