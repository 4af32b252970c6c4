#include "engine/command_line.h"

#include <cstdio>

#include "gfx/frame_scaling.h"
#include "runtime/startup_settings.h"

namespace {

// A whole number 1..kMaxWindowScale written in digits alone, else 0.
int ScaleFrom(const std::string& text) {
    if (text.empty() || text.size() > 3) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= kMaxWindowScale ? value : 0;
}

CommandLineChoice Failed(const std::string& why) {
    CommandLineChoice choice;
    choice.action = CommandLineChoice::Action::Fail;
    choice.error = why;
    return choice;
}

}  // namespace

CommandLineChoice ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineChoice choice;
    const std::string scaleRange = "a whole number from 1 to " + std::to_string(kMaxWindowScale);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            choice.action = CommandLineChoice::Action::Help;
            return choice;
        }
        if (arg == "--version") {
            choice.action = CommandLineChoice::Action::Version;
            return choice;
        }
        if (arg == "--fullscreen" || arg == "--windowed") {
            if (choice.fullscreen != -1) return Failed("give only one of --fullscreen and --windowed, once");
            choice.fullscreen = arg == "--fullscreen" ? 1 : 0;
            continue;
        }
        const bool joined = arg.rfind("--scale=", 0) == 0;
        if (arg == "--scale" || joined) {
            if (choice.scale != 0) return Failed("--scale given twice");
            if (!joined && i + 1 >= args.size()) return Failed("--scale needs " + scaleRange);
            const std::string value = joined ? arg.substr(8) : args[++i];
            choice.scale = ScaleFrom(value);
            if (choice.scale == 0) {
                std::string error = "--scale needs " + scaleRange;
                error += ", not '" + value + "'";
                return Failed(error);
            }
            continue;
        }
        return Failed("unknown option '" + arg + "'");
    }
    return choice;
}

std::string ProgramNameOf(const char* argv0) {
    std::string name = argv0 != nullptr ? argv0 : "";
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.size() > 4) {
        std::string extension = name.substr(name.size() - 4);
        for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (extension == ".exe") name.resize(name.size() - 4);
    }
    return name.empty() ? "game" : name;
}

std::string CommandLineUsage(const ProgramIdentity& identity) {
    return "Usage: " + identity.program +
           " [--scale N] [--fullscreen | --windowed]\n"
           "  --scale N      show the screen N times its size (1 to 16; default: as large as fits)\n"
           "  --fullscreen   start on the full screen (the display mode stays)\n"
           "  --windowed     start in a window (the default)\n"
           "  --help         print this text and end\n"
           "  --version      print the version and end\n"
           "While playing, Alt+Return or F11 switches between the window and the full screen.\n" +
           identity.caption + " " + identity.version + "\n";
}

std::string VersionLine(const ProgramIdentity& identity) { return identity.program + " " + identity.version; }

int HandleCommandLine(int argc, char** argv, const ProgramIdentity& identity, StartupSettings& settings) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] != nullptr ? argv[i] : "");
    const CommandLineChoice choice = ParseCommandLine(args);
    switch (choice.action) {
        case CommandLineChoice::Action::Help: std::fputs(CommandLineUsage(identity).c_str(), stdout); return 0;
        case CommandLineChoice::Action::Version: std::printf("%s\n", VersionLine(identity).c_str()); return 0;
        case CommandLineChoice::Action::Fail:
            std::fprintf(stderr, "%s: %s\n%s", identity.program.c_str(), choice.error.c_str(),
                         CommandLineUsage(identity).c_str());
            return 2;
        case CommandLineChoice::Action::Run: break;
    }
    if (choice.scale != 0) settings.windowScale = choice.scale;
    if (choice.fullscreen != -1) settings.desktopFullscreen = choice.fullscreen;
    return -1;
}
