#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "runtime/utf16_windows.h"
#include "system/file_dialog.h"

namespace {

// The dialog runs modally on a thread of its own (with its own COM
// apartment), so the game's thread goes on presenting frames.
std::mutex g_mutex;
DialogProgress g_progress = DialogProgress::Ended;
std::string g_path;

// A thread still joinable when the program ends would end it with
// std::terminate: one that has ended is joined, one whose dialog is still
// open is let go (the process's end closes the dialog).
struct DialogThread {
    ~DialogThread() {
        if (!thread.joinable()) return;
        bool open = false;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            open = g_progress == DialogProgress::Open;
        }
        if (open)
            thread.detach();
        else
            thread.join();
    }
    std::thread thread;
};
DialogThread g_dialog;

std::string ShowDialog(const DialogRequest& request) {
    IFileDialog* dialog = nullptr;
    const CLSID kind = request.save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
    if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) return "";
    std::wstring title = WideFromUtf8(request.title);
    if (!title.empty()) dialog->SetTitle(title.c_str());
    // The filter texts must outlive the Show call.
    std::vector<std::wstring> names, specs;
    for (const DialogFilter& filter : request.filters) {
        std::string spec;
        for (const std::string& p : filter.patterns) spec += (spec.empty() ? "" : ";") + p;
        names.push_back(WideFromUtf8(filter.name));
        specs.push_back(WideFromUtf8(spec));
    }
    std::vector<COMDLG_FILTERSPEC> types;
    for (size_t i = 0; i < names.size(); ++i) types.push_back({names[i].c_str(), specs[i].c_str()});
    if (!types.empty()) dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
    if (!request.folder.empty()) {
        IShellItem* folder = nullptr;
        const std::wstring wide = WideFromUtf8(request.folder);
        if (SUCCEEDED(SHCreateItemFromParsingName(wide.c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
            dialog->SetFolder(folder);
            folder->Release();
        }
    }
    if (!request.name.empty()) dialog->SetFileName(WideFromUtf8(request.name).c_str());
    std::string chosen;
    if (SUCCEEDED(dialog->Show(nullptr))) {
        IShellItem* item = nullptr;
        if (SUCCEEDED(dialog->GetResult(&item))) {
            PWSTR path = nullptr;
            if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
                chosen = Utf8FromWide(path);
                CoTaskMemFree(path);
            }
            item->Release();
        }
    }
    dialog->Release();
    return chosen;
}

}  // namespace

bool StartFileDialog(const DialogRequest& request, std::string& why) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_progress == DialogProgress::Open) {
        why = "a file dialog is open already";
        return false;
    }
    if (g_dialog.thread.joinable()) g_dialog.thread.join();  // the last one has ended
    g_progress = DialogProgress::Open;
    g_path.clear();
    g_dialog.thread = std::thread([request] {
        const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        const std::string chosen = com ? ShowDialog(request) : "";
        if (com) CoUninitialize();
        std::lock_guard<std::mutex> lock(g_mutex);
        g_path = chosen;
        g_progress = chosen.empty() ? DialogProgress::Ended : DialogProgress::Chosen;
    });
    return true;
}

DialogProgress PollFileDialog(std::string& path) {
    std::lock_guard<std::mutex> lock(g_mutex);
    path = g_path;
    return g_progress;
}
