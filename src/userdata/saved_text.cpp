#include "userdata/saved_text.h"

namespace {

bool ControlByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

void Note(std::string& fault, const std::string& what, size_t lineNumber) {
    if (fault.empty()) fault = what + " on line " + std::to_string(lineNumber);
}

}  // namespace

std::vector<std::string> SplitSavedLines(const std::string& bytes, std::string& fault) {
    std::vector<std::string> lines;
    if (bytes.empty() && fault.empty()) fault = "empty";
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        const bool ended = newline != std::string::npos;
        std::string line = bytes.substr(start, ended ? newline - start : std::string::npos);
        start = ended ? newline + 1 : bytes.size();
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t number = lines.size() + 1;
        bool bad = true;
        if (!ended) {
            Note(fault, "cut short", number);
        } else if (line.size() > kSavedLineMaxBytes) {
            Note(fault, "overlong line", number);
        } else {
            bad = false;
            for (const char c : line) {
                if (ControlByte(static_cast<unsigned char>(c))) {
                    Note(fault, "control byte", number);
                    bad = true;
                    break;
                }
            }
        }
        lines.push_back(bad ? std::string() : std::move(line));
    }
    return lines;
}
