// A page of the web tests (not shipped): the file commands in the browser.
// Each visit reads what the visit before kept in the per-user folder (a
// line, an INI count and a screenshot), writes the next, then opens the
// page's file picker and reads back the file the test chooses in it, and
// saves a note through the save dialog (a download). Each step says what it
// found on the console for tests/web/play.js.
#include <aerox/aerox.h>

#include <cstdio>
#include <string>

namespace {

void Say(const std::string& line) {
    std::printf("files %s\n", line.c_str());
    std::fflush(stdout);
}

void Game() {
    const int visits = static_cast<int>(ReadIniNumber("kept.ini", "run", "visits", 0));
    std::string kept = "none";
    if (OpenToRead(0, "kept.txt") == 1) {
        kept = ReadLine(0).Text();
        CloseFile(0);
    }
    Say("visit " + std::to_string(visits + 1) + " kept '" + kept + "' screenshot " +
        std::to_string(static_cast<int>(FileExists("shot.png"))));

    const std::string line = "written on visit " + std::to_string(visits + 1);
    const bool wrote = OpenToWrite(0, "kept.txt") == 1 && WriteLine(0, line.c_str()) == 1 && CloseFile(0) == 1;
    const bool counted = WriteIni("kept.ini", "run", "visits", RtString(visits + 1)) == 1;
    DrawRect(0, 0, 319, 239, 0x00FF00);
    const bool saved = SaveScreen("shot.png") == 1;
    Say(std::string("saved ") + (wrote && counted && saved ? "all" : "not all"));

    const bool picking = OpenFileDialog("Pick a note", "Notes|*.txt", "") == 1;
    for (;;) {
        DrawRect(0, 0, 319, 239, 0x00FF00);
        ShowScreen();
        if (!picking || DialogState() == 0) continue;
        if (DialogState() == 1 && OpenToRead(1, DialogPath()) == 1) {
            Say("chosen '" + std::string(ReadLine(1).Text()) + "'");
            CloseFile(1);
        } else {
            Say("chosen nothing");
        }
        break;
    }
    // Saving through the dialog: the page offers the closed file as a download.
    const bool offered = SaveFileDialog("Save a note", "Notes|*.txt", "", "saved.txt") == 1 && DialogState() == 1 &&
                         OpenToWrite(2, DialogPath()) == 1 && WriteLine(2, "saved line") == 1 && CloseFile(2) == 1;
    Say(std::string("save offered ") + (offered ? "yes" : "no"));
    for (;;) ShowScreen();
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "FilesPage";
    settings.version = "1.0";
    return RunGame(argc, argv, settings, &Game);
}
