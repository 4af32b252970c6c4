// The INI reader of builds without inih: its default rules, line by line.
// The text reaching it has already been checked by the saved-text reader
// (short lines, no control bytes), so no line needs truncating.
#include <cstring>
#include <string>

#include "userdata/ini_reader.h"

namespace {

bool Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& s) {
    size_t start = 0;
    size_t end = s.size();
    while (start < end && Space(s[start])) ++start;
    while (end > start && Space(s[end - 1])) --end;
    return s.substr(start, end - start);
}

// The position of the first of chars, or of an inline ';' comment (one
// after a space), or the end.
size_t FindCharsOrComment(const std::string& s, size_t from, const char* chars) {
    bool afterSpace = false;
    for (size_t i = from; i < s.size(); ++i) {
        if (chars != nullptr && std::strchr(chars, s[i]) != nullptr) return i;
        if (afterSpace && s[i] == ';') return i;
        afterSpace = Space(s[i]);
    }
    return s.size();
}

}  // namespace

int ReadIniText(const char* text, IniEntryHandler handler, void* user) {
    std::string all(text);
    if (all.compare(0, 3, "\xEF\xBB\xBF") == 0) all.erase(0, 3);
    std::string section;
    std::string lastKey;
    int firstError = 0;
    int number = 0;
    for (size_t from = 0; from < all.size();) {
        const size_t newline = all.find('\n', from);
        const size_t end = newline == std::string::npos ? all.size() : newline;
        const std::string raw = all.substr(from, end - from);
        from = end + 1;
        ++number;
        const std::string line = Trimmed(raw);
        bool bad = false;
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            // blank or a comment
        } else if (!lastKey.empty() && Space(raw[0])) {
            // An indented line continues the last entry's value, comment
            // and all.
            bad = handler(user, section.c_str(), lastKey.c_str(), line.c_str()) == 0;
        } else if (line[0] == '[') {
            const size_t close = FindCharsOrComment(line, 1, "]");
            if (close < line.size() && line[close] == ']') {
                section = line.substr(1, close - 1);
                lastKey.clear();
            } else {
                bad = true;
            }
        } else {
            const size_t split = FindCharsOrComment(line, 0, "=:");
            if (split < line.size() && (line[split] == '=' || line[split] == ':')) {
                lastKey = Trimmed(line.substr(0, split));
                // The comment search starts right after the '=', as
                // inih's does: "k = ;x" has an empty value.
                const std::string rest = line.substr(split + 1);
                const std::string value = Trimmed(rest.substr(0, FindCharsOrComment(rest, 0, nullptr)));
                bad = handler(user, section.c_str(), lastKey.c_str(), value.c_str()) == 0;
            } else {
                bad = true;
            }
        }
        if (bad && firstError == 0) firstError = number;
    }
    return firstError;
}
