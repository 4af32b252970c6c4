#include <emscripten.h>

#include <cstdlib>

#include "files/chosen_paths.h"
#include "system/file_dialog.h"

// Opening: a file input element; the chosen file is copied into the
// page's memory file system under /chosen/ and that path is given.
// Saving: the name is taken at once under /download/; a file written there
// is offered to the player as a download when it is closed.
// The page's side: the element, and the file copied into memory.
EM_JS(void, ShowFileInput, (const char* accept), {
    Module.aeroxDialog = {state : 0, path : ""};
    var old = document.getElementById("aerox-file-input");
    if (old) old.remove();
    var input = document.createElement("input");
    input.type = "file";
    input.id = "aerox-file-input";
    input.accept = UTF8ToString(accept);
    input.style.display = "none";
    document.body.appendChild(input);
    input.addEventListener(
        "cancel", function() { Module.aeroxDialog.state = -1; });
    input.addEventListener(
        "change", function() {
            var file = input.files[0];
            if (!file) {
                Module.aeroxDialog.state = -1;
                return;
            }
            file.arrayBuffer().then(
                function(data) {
                    try {
                        FS.mkdir("/chosen");
                    } catch (e) {
                    }
                    var path = "/chosen/" + file.name.split("/").join("_");
                    FS.writeFile(path, new Uint8Array(data));
                    Module.aeroxDialog.path = path;
                    Module.aeroxDialog.state = 1;
                },
                function() { Module.aeroxDialog.state = -1; });
        });
    input.click();
});

EM_JS(int, FileInputState, (), { return Module.aeroxDialog ? Module.aeroxDialog.state : -1; });

EM_JS(char*, FileInputPath, (), { return allocateUTF8(Module.aeroxDialog.path); });

EM_JS(void, MakeDownloadFolder, (), {
    try {
        FS.mkdir("/download");
    } catch (e) {
    }
});

// The page hands a saved file to the player: a link to its bytes, clicked.
EM_JS(void, OfferDownload, (const char* path), {
    var name = UTF8ToString(path);
    var data = FS.readFile(name);
    var link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([data]));
    link.download = name.split("/").pop();
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(
        function() { URL.revokeObjectURL(link.href); }, 10000);
});

namespace {

DialogProgress g_progress = DialogProgress::Ended;
std::string g_path;

// Files saved under the name a save dialog gave go to the player.
void OfferSavedFile(const std::string& path) {
    if (path.rfind("/download/", 0) == 0) OfferDownload(path.c_str());
}

}  // namespace

bool StartFileDialog(const DialogRequest& request, std::string& why) {
    if (g_progress == DialogProgress::Open) {
        why = "a file dialog is open already";
        return false;
    }
    if (request.save) {
        std::string name = request.name.empty() ? "file" : request.name;
        if (name.find('/') != std::string::npos || name == "." || name == "..") {
            why = "the name to save under is not a plain file name";
            return false;
        }
        MakeDownloadFolder();
        SetChosenFileSavedHandler(&OfferSavedFile);
        g_path = "/download/" + name;
        g_progress = DialogProgress::Chosen;
        return true;
    }
    std::string accept;
    for (const DialogFilter& filter : request.filters)
        for (const std::string& p : filter.patterns)
            if (p.rfind("*.", 0) == 0) accept += (accept.empty() ? "" : ",") + p.substr(1);
    g_progress = DialogProgress::Open;
    g_path.clear();
    ShowFileInput(accept.c_str());
    return true;
}

DialogProgress PollFileDialog(std::string& path) {
    if (g_progress == DialogProgress::Open) {
        const int state = FileInputState();
        if (state == 1) {
            char* chosen = FileInputPath();
            g_path = chosen != nullptr ? chosen : "";
            std::free(chosen);
            g_progress = g_path.empty() ? DialogProgress::Ended : DialogProgress::Chosen;
        } else if (state == -1) {
            g_progress = DialogProgress::Ended;
        }
    }
    path = g_path;
    return g_progress;
}
