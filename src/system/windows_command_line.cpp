#include "system/windows_command_line.h"

#include <cctype>

std::string QuoteWindowsArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string out = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped;
        // elsewhere they stand for themselves.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');  // before the closing quote
    out += '"';
    return out;
}

std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    // The program's name is read by other rules (no backslash escapes): it
    // is quoted whole, and a name with a quote is refused before this.
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in
    // "..." + std::string.
    std::string line(1, '"');
    line += program;
    line += '"';
    for (const std::string& argument : arguments) {
        line += ' ';
        line += QuoteWindowsArgument(argument);
    }
    return line;
}

bool IsBatchProgram(const std::string& program) {
    // Trailing dots and spaces are dropped by the system's name rules.
    std::string trimmed = program;
    while (!trimmed.empty() && (trimmed.back() == '.' || trimmed.back() == ' ')) trimmed.pop_back();
    if (trimmed.size() < 4) return false;
    std::string ext = trimmed.substr(trimmed.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".bat" || ext == ".cmd";
}
