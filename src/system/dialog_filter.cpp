#include "system/dialog_filter.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<DialogFilter> ParseDialogFilter(const std::string& text) {
    std::vector<DialogFilter> filters;
    const std::vector<std::string> parts = Split(text, '|');
    if (parts.size() == 1) {
        // Patterns alone: named after themselves.
        DialogFilter filter{Trimmed(text), {}};
        for (const std::string& p : Split(text, ';'))
            if (!Trimmed(p).empty()) filter.patterns.push_back(Trimmed(p));
        if (!filter.patterns.empty()) filters.push_back(filter);
        return filters;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        DialogFilter filter{Trimmed(parts[i]), {}};
        for (const std::string& p : Split(parts[i + 1], ';'))
            if (!Trimmed(p).empty()) filter.patterns.push_back(Trimmed(p));
        if (filter.name.empty() && !filter.patterns.empty()) filter.name = Trimmed(parts[i + 1]);
        if (!filter.patterns.empty()) filters.push_back(filter);
    }
    return filters;
}
