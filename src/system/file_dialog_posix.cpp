#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "system/file_dialog.h"

namespace {

// What a dialog program may print: one path. More is not a path.
constexpr size_t kMaxOutput = size_t{64} * 1024;

struct RunningDialog {
    pid_t pid = -1;
    int output = -1;  // the read end of the child's standard output
    std::string text;
    bool overflowed = false;
    DialogProgress progress = DialogProgress::Ended;
    std::string path;
};

std::mutex g_mutex;
RunningDialog g_dialog;

std::string FindOnPath(const char* name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate = folder + "/" + name;
            struct stat info {};
            if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return "";
}

// Appends part after a separator (none before the first). Piece by piece:
// GCC 12 at -O3 sees a false overlap in "..." + std::string.
void AppendSeparated(std::string& text, char separator, const std::string& part) {
    if (!text.empty()) text += separator;
    text += part;
}

// A name that a dialog program must not read as one of its options.
std::string NotAnOption(const std::string& text) { return !text.empty() && text[0] == '-' ? "./" + text : text; }

std::string StartName(const DialogRequest& request) {
    std::string folder = request.folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return NotAnOption(folder + request.name);
}

std::vector<std::string> ZenityArguments(const std::string& program, const DialogRequest& request) {
    std::vector<std::string> args{program, "--file-selection", "--title=" + request.title};
    if (request.save) args.insert(args.end(), {"--save", "--confirm-overwrite"});
    if (!request.folder.empty() || !request.name.empty()) args.push_back("--filename=" + StartName(request));
    for (const DialogFilter& filter : request.filters) {
        std::string patterns;
        for (const std::string& p : filter.patterns) AppendSeparated(patterns, ' ', p);
        args.push_back("--file-filter=" + filter.name + " | " + patterns);
    }
    return args;
}

std::vector<std::string> KdialogArguments(const std::string& program, const DialogRequest& request) {
    std::string filter;
    for (const DialogFilter& f : request.filters) {
        std::string patterns;
        for (const std::string& p : f.patterns) AppendSeparated(patterns, ' ', p);
        AppendSeparated(filter, '\n', patterns);
        filter += '|';
        filter += f.name;
    }
    std::string start = StartName(request);
    if (start.empty()) start += '.';
    std::vector<std::string> args{program, "--title", request.title,
                                  request.save ? "--getsavefilename" : "--getopenfilename", start};
    if (args[2].empty()) args[2] += ' ';  // kdialog wants a title
    if (!filter.empty()) args.push_back(filter);
    return args;
}

// Reads what the dialog printed so far, without waiting.
void Drain(RunningDialog& dialog) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(dialog.output, buffer, sizeof buffer);
        if (got <= 0) return;
        if (dialog.text.size() + static_cast<size_t>(got) > kMaxOutput) {
            dialog.overflowed = true;
        } else {
            dialog.text.append(buffer, static_cast<size_t>(got));
        }
    }
}

}  // namespace

bool StartFileDialog(const DialogRequest& request, std::string& why) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_dialog.progress == DialogProgress::Open) {
        why = "a file dialog is open already";
        return false;
    }
    std::string program = FindOnPath("zenity");
    std::vector<std::string> args;
    if (!program.empty()) {
        args = ZenityArguments(program, request);
    } else if (!(program = FindOnPath("kdialog")).empty()) {
        args = KdialogArguments(program, request);
    } else {
        why = "neither zenity nor kdialog is installed";
        return false;
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        why = std::string("no pipe: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeEnds[1]);
    if (error != 0) {
        close(pipeEnds[0]);
        why = program + " could not be started: " + std::strerror(error);
        return false;
    }
    fcntl(pipeEnds[0], F_SETFL, fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    g_dialog = RunningDialog{};
    g_dialog.pid = pid;
    g_dialog.output = pipeEnds[0];
    g_dialog.progress = DialogProgress::Open;
    return true;
}

DialogProgress PollFileDialog(std::string& path) {
    std::lock_guard<std::mutex> lock(g_mutex);
    RunningDialog& dialog = g_dialog;
    if (dialog.progress == DialogProgress::Open) {
        Drain(dialog);
        int status = 0;
        const pid_t got = waitpid(dialog.pid, &status, WNOHANG);
        if (got == 0) return DialogProgress::Open;
        Drain(dialog);
        close(dialog.output);
        dialog.output = -1;
        std::string chosen = dialog.text;
        while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r')) chosen.pop_back();
        // One absolute path, one line: anything else is no choice.
        const bool ok = got == dialog.pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !dialog.overflowed &&
                        !chosen.empty() && chosen[0] == '/' && chosen.find('\n') == std::string::npos;
        dialog.progress = ok ? DialogProgress::Chosen : DialogProgress::Ended;
        dialog.path = ok ? chosen : "";
    }
    path = dialog.path;
    return dialog.progress;
}
