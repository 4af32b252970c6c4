// Notepad: type a line, save it (F2) and open it again (F3) through the
// system's file dialogs, list the per-user folder (F4) and save a picture
// of the screen (F5). Where no dialog can be shown the note goes to
// note.txt in the per-user folder. Escape ends it.
#include <aerox/aerox.h>

#include <string>

namespace {

// Scan codes (PC set 1).
constexpr double kBackspace = 0x0E, kF2 = 0x3C, kF3 = 0x3D, kF4 = 0x3E, kF5 = 0x3F;
constexpr double kChannel = 0;
constexpr int kShownEntries = 12;

enum class Waiting { Nothing, SaveDialog, OpenDialog };

struct Notepad {
    std::string note;
    std::string status = "TYPE A LINE. F2 SAVE  F3 OPEN  F4 LIST  F5 PICTURE";
    std::string listing;
    Waiting waiting = Waiting::Nothing;
    bool savePicture = false;  // once this frame is drawn
};

bool Save(Notepad& pad, const RtString& path) {
    const bool saved =
        OpenToWrite(kChannel, path) > 0 && WriteLine(kChannel, pad.note.c_str()) > 0 && CloseFile(kChannel) > 0;
    if (!saved) CloseFile(kChannel);
    pad.status = std::string(saved ? "SAVED " : "NOT SAVED ") + path.Text();
    return saved;
}

bool Open(Notepad& pad, const RtString& path) {
    if (OpenToRead(kChannel, path) == 0) {
        pad.status = std::string("CANNOT OPEN ") + path.Text();
        return false;
    }
    pad.note = EndOfFile(kChannel) > 0 ? "" : ReadLine(kChannel).Text();
    CloseFile(kChannel);
    pad.status = std::string("OPENED ") + path.Text();
    return true;
}

void List(Notepad& pad) {
    const double count = ListFolder("");
    pad.listing.clear();
    for (double i = 0; i < count && i < kShownEntries; ++i) {
        pad.listing += FolderEntry(i).Text();
        if (FolderEntryIsFolder(i) > 0) pad.listing += "/";
        pad.listing += "\n";
    }
    pad.status = "THE PER-USER FOLDER HOLDS " + std::to_string(static_cast<int>(count < 0 ? 0 : count)) + " ENTRIES";
}

// Typing: new text at the end, Backspace takes the last character (all the
// bytes of a UTF-8 one).
void Type(Notepad& pad) {
    pad.note += TextInput().Text();
    if (KeyPressed(kBackspace) > 0) {
        while (!pad.note.empty() && (static_cast<unsigned char>(pad.note.back()) & 0xC0) == 0x80) pad.note.pop_back();
        if (!pad.note.empty()) pad.note.pop_back();
    }
}

// The dialogs run beside the frames: each frame looks whether one ended.
void FollowDialog(Notepad& pad) {
    if (pad.waiting == Waiting::Nothing || DialogState() == 0) return;
    const Waiting was = pad.waiting;
    pad.waiting = Waiting::Nothing;
    if (DialogState() < 0) {
        pad.status = "CANCELLED";
        return;
    }
    if (was == Waiting::SaveDialog)
        Save(pad, DialogPath());
    else
        Open(pad, DialogPath());
}

void Keys(Notepad& pad) {
    if (pad.waiting != Waiting::Nothing) return;
    if (KeyPressed(kF2) > 0) {
        if (SaveFileDialog("Save the note", "Notes|*.txt", "", "note.txt") > 0)
            pad.waiting = Waiting::SaveDialog;
        else
            Save(pad, "note.txt");
    }
    if (KeyPressed(kF3) > 0) {
        if (OpenFileDialog("Open a note", "Notes|*.txt", "") > 0)
            pad.waiting = Waiting::OpenDialog;
        else
            Open(pad, "note.txt");
    }
    if (KeyPressed(kF4) > 0) List(pad);
    if (KeyPressed(kF5) > 0) pad.savePicture = true;
}

void Draw(const Notepad& pad) {
    double width = 0, height = 0, charWidth = 0, charHeight = 0;
    GetScreenSize(width, height);
    GetFontSize(charWidth, charHeight);
    DrawRect(0, 0, width - 1, height - 1, 0x302018);
    DrawRect(4, 20, width - 5, 22 + charHeight, 0x604030);
    PrintText((pad.note + "_").c_str(), 6, 21);
    double y = 30 + charHeight;
    std::string line;
    for (const char c : pad.listing) {
        if (c != '\n') {
            line += c;
            continue;
        }
        PrintText(line.c_str(), 6, y);
        line.clear();
        y += charHeight + 1;
    }
    PrintText(pad.status.c_str(), 4, height - charHeight - 4);
}

void Game() {
    Notepad pad;
    double width = 0, height = 0;
    GetScreenSize(width, height);
    StartTextInput(4, 20, width - 8, 12);
    for (;;) {
        Type(pad);
        FollowDialog(pad);
        Keys(pad);
        Draw(pad);
        // SaveScreen takes the frame drawn so far: after drawing, before
        // showing.
        if (pad.savePicture) {
            pad.savePicture = false;
            pad.status = SaveScreen("notepad.png") > 0 ? "SAVED notepad.png" : "THE PICTURE WAS NOT SAVED";
        }
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Notepad";
    settings.version = "1.0";
    return RunGame(argc, argv, settings, &Game);
}
