// The system's file dialogs, run beside the game: started once, then
// polled every frame or so. One file per platform: file_dialog_posix.cpp
// (zenity or kdialog as a child process), _windows.cpp (the shell's
// dialogs on a thread of their own), _web.cpp (a file input element).
#pragma once
#include <string>
#include <vector>

#include "system/dialog_filter.h"

struct DialogRequest {
    bool save = false;
    std::string title;
    std::vector<DialogFilter> filters;
    std::string folder;  // "" for the system's choice
    std::string name;    // the name a save dialog offers first
};

enum class DialogProgress { Open = 0, Chosen = 1, Ended = -1 };

// Shows a dialog; false with the reason when none can be shown. A dialog
// still open is not replaced.
bool StartFileDialog(const DialogRequest& request, std::string& why);

// Where the dialog stands; with Chosen, path holds the file (UTF-8).
// Returns Ended when no dialog was started.
DialogProgress PollFileDialog(std::string& path);
