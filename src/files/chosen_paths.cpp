#include "files/chosen_paths.h"

#include <atomic>
#include <mutex>
#include <set>

namespace {

// A dialog may finish on a thread of its own while the game reads files.
std::mutex g_lock;
std::set<std::string> g_chosen;
// A player does not choose more files than this in one run; a flood of
// choices must not grow memory without end.
constexpr size_t kMaxChosenPaths = 4096;
std::atomic<ChosenFileSavedHandler> g_savedHandler{nullptr};

}  // namespace

void AllowChosenPath(const std::string& path) {
    if (path.empty()) return;
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_chosen.size() >= kMaxChosenPaths) g_chosen.erase(g_chosen.begin());
    g_chosen.insert(path);
}

bool IsChosenPath(const std::string& path) {
    const std::lock_guard<std::mutex> hold(g_lock);
    return g_chosen.count(path) != 0;
}

void ForgetChosenPaths() {
    const std::lock_guard<std::mutex> hold(g_lock);
    g_chosen.clear();
}

void SetChosenFileSavedHandler(ChosenFileSavedHandler handler) { g_savedHandler = handler; }

void NoteFileSaved(const std::string& path) {
    const ChosenFileSavedHandler handler = g_savedHandler;
    if (handler != nullptr && IsChosenPath(path)) handler(path);
}
