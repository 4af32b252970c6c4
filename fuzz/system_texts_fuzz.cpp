// The texts a game hands to the system commands: argument lists, call
// signatures, dialog filters and web addresses. Beyond not crashing: an
// argument list quoted for Windows and split back by the system's rules
// gives the same arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "system/address_open.h"
#include "system/argument_split.h"
#include "system/call_signature.h"
#include "system/dialog_filter.h"
#include "system/windows_command_line.h"

namespace {

// A Windows program's reading of its arguments (after the program's name).
std::vector<std::string> WindowsSplit(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) return out;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) argument += line[i++];
            }
        }
        out.push_back(argument);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CallSignature signature;
    std::string why;
    if (ParseCallSignature(text, signature, why) && signature.arguments.size() > kMaxCallArguments) std::abort();
    ParseDialogFilter(text);
    IsOpenableAddress(text);
    IsBatchProgram(text);
    std::vector<std::string> arguments = SplitArguments(text);
    // NUL never reaches a command line (texts end there).
    for (std::string& a : arguments) a = a.substr(0, a.find('\0'));
    std::string line;
    for (const std::string& a : arguments) line += " " + QuoteWindowsArgument(a);
    if (WindowsSplit(line) != arguments) std::abort();
    return 0;
}
