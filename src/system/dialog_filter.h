// The filter text of the file dialogs: "Levels|*.lvl;*.txt|All|*".
#pragma once
#include <string>
#include <vector>

struct DialogFilter {
    std::string name;
    std::vector<std::string> patterns;  // "*.lvl"
};

// The filter's pairs; a pair without patterns, or empty names or patterns,
// are left out. A name alone ("*.txt") is its own pattern.
std::vector<DialogFilter> ParseDialogFilter(const std::string& text);
