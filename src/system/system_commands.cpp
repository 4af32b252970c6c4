// The system commands: other programs, web addresses, file dialogs and
// library calls. None needs a window, so they work before the engine
// starts; bad input gives the failure value and one log line naming the
// command.
#include <cmath>
#include <cstdio>
#include <string>

#include "aerox/program.h"
#include "aerox/system.h"
#include "files/chosen_paths.h"
#include "system/address_open.h"
#include "system/argument_split.h"
#include "system/call_signature.h"
#include "system/dialog_filter.h"
#include "system/file_dialog.h"
#include "system/function_call.h"
#include "system/native_library.h"
#include "system/process_launch.h"

namespace {

constexpr int kLibrarySlots = 64;
void* g_libraries[kLibrarySlots] = {};

void Log(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Texts handed to the system hold no NUL (RtString may carry one).
bool PlainText(const char* command, const RtString& text, const char* what) {
    if (std::string(text.Text()).size() == text.Length()) return true;
    Log(command, std::string(what) + " holds a NUL byte");
    return false;
}

DialogRequest Request(bool save, const RtString& title, const RtString& filter, const RtString& folder,
                      const RtString& name) {
    DialogRequest request;
    request.save = save;
    request.title = title.Text();
    request.filters = ParseDialogFilter(filter.Text());
    request.folder = folder.Text();
    request.name = name.Text();
    return request;
}

double StartDialog(const char* command, const DialogRequest& request) {
    std::string why;
    if (!StartFileDialog(request, why)) {
        Log(command, why);
        return 0;
    }
    return 1;
}

// The library in a slot, or null (logged).
void* SlotLibrary(const char* command, double slot) {
    if (!(slot >= 0 && slot < kLibrarySlots)) {
        Log(command, "slot " + Number(slot) + " is not 0..63");
        return nullptr;
    }
    void* library = g_libraries[static_cast<int>(slot)];
    if (library == nullptr) Log(command, "library slot " + std::to_string(static_cast<int>(slot)) + " is empty");
    return library;
}

// The function and its parsed signature, or false (logged).
bool Prepare(const char* command, double slot, const RtString& name, const RtString& signature, bool texts,
             void*& function, CallSignature& parsed) {
    std::string why;
    if (!ParseCallSignature(signature.Text(), parsed, why)) {
        Log(command, why);
        return false;
    }
    for (const CallType type : parsed.arguments) {
        if ((type == CallType::Text) != texts) {
            Log(command, texts
                             ? "signature \"" + std::string(signature.Text()) + "\" names numbers: use CallFunction"
                             : "signature \"" + std::string(signature.Text()) + "\" names texts: use CallFunctionText");
            return false;
        }
    }
    void* library = SlotLibrary(command, slot);
    if (library == nullptr) return false;
    function = FindNativeFunction(library, name.Text());
    if (function == nullptr) {
        Log(command, "no function \"" + std::string(name.Text()) + "\" in library slot " +
                         std::to_string(static_cast<int>(slot)));
        return false;
    }
    return true;
}

double Call(const char* command, void* function, const CallSignature& signature, const CallArguments& arguments) {
    double result = 0;
    std::string why;
    if (!CallNativeFunction(function, signature, arguments, result, why)) {
        Log(command, why);
        return 0;
    }
    return result;
}

}  // namespace

double RunProcess(const RtString& program, const RtString& arguments, double wait) {
    if (!PlainText("RunProcess", program, "the program") || !PlainText("RunProcess", arguments, "the arguments"))
        return -1;
    if (program.Length() == 0) {
        Log("RunProcess", "no program named");
        return -1;
    }
    const LaunchResult launched = LaunchProcess(program.Text(), SplitArguments(arguments.Text()), wait != 0);
    if (!launched.started) {
        Log("RunProcess", std::string(program.Text()) + " cannot be started: " + launched.why);
        return -1;
    }
    return wait != 0 ? launched.exitCode : 1;
}

double OpenAddress(const RtString& url) {
    if (!PlainText("OpenAddress", url, "the address")) return 0;
    if (!IsOpenableAddress(url.Text())) {
        Log("OpenAddress", "only http:// and https:// addresses without spaces are opened");
        return 0;
    }
    std::string why;
    if (!OpenInBrowser(url.Text(), why)) {
        Log("OpenAddress", why);
        return 0;
    }
    return 1;
}

double OpenFileDialog(const RtString& title, const RtString& filter, const RtString& folder) {
    return StartDialog("OpenFileDialog", Request(false, title, filter, folder, ""));
}

double SaveFileDialog(const RtString& title, const RtString& filter, const RtString& folder, const RtString& name) {
    return StartDialog("SaveFileDialog", Request(true, title, filter, folder, name));
}

double DialogState() {
    std::string path;
    const DialogProgress progress = PollFileDialog(path);
    // The player's choice may be read and written as given.
    if (progress == DialogProgress::Chosen) AllowChosenPath(path);
    return static_cast<double>(static_cast<int>(progress));
}

RtString DialogPath() {
    std::string path;
    if (PollFileDialog(path) != DialogProgress::Chosen) return RtString();
    AllowChosenPath(path);
    return RtString(path.c_str());
}

double OpenLibrary(double slot, const RtString& path) {
    if (!(slot >= 0 && slot < kLibrarySlots)) {
        Log("OpenLibrary", "slot " + Number(slot) + " is not 0..63");
        return 0;
    }
    if (!PlainText("OpenLibrary", path, "the library's name")) return 0;
    void*& held = g_libraries[static_cast<int>(slot)];
    if (held != nullptr) CloseNativeLibrary(held);
    held = nullptr;
    std::string why;
    held = OpenNativeLibrary(path.Text(), why);
    if (held == nullptr) {
        Log("OpenLibrary", std::string(path.Text()) + ": " + why);
        return 0;
    }
    return 1;
}

void CloseLibrary(double slot) {
    if (!(slot >= 0 && slot < kLibrarySlots)) {
        Log("CloseLibrary", "slot " + Number(slot) + " is not 0..63");
        return;
    }
    void*& held = g_libraries[static_cast<int>(slot)];
    if (held != nullptr) CloseNativeLibrary(held);
    held = nullptr;
}

double CallFunction(double slot, const RtString& name, const RtString& signature, double a, double b, double c,
                    double d) {
    void* function = nullptr;
    CallSignature parsed;
    if (!Prepare("CallFunction", slot, name, signature, false, function, parsed)) return 0;
    CallArguments arguments;
    const double numbers[] = {a, b, c, d};
    for (size_t i = 0; i < kMaxCallArguments; ++i) arguments.numbers[i] = numbers[i];
    return Call("CallFunction", function, parsed, arguments);
}

double CallFunctionText(double slot, const RtString& name, const RtString& signature, const RtString& t1,
                        const RtString& t2, const RtString& t3, const RtString& t4) {
    void* function = nullptr;
    CallSignature parsed;
    if (!Prepare("CallFunctionText", slot, name, signature, true, function, parsed)) return 0;
    CallArguments arguments;
    const RtString* texts[] = {&t1, &t2, &t3, &t4};
    for (size_t i = 0; i < kMaxCallArguments; ++i) arguments.texts[i] = texts[i]->Text();
    return Call("CallFunctionText", function, parsed, arguments);
}
