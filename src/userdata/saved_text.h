// The first look at a saved text file: its lines, with every line that no
// editor of a settings or score file would leave replaced by an empty one.
#pragma once
#include <string>
#include <vector>

// Longer lines were not written by the game (nor by a person editing).
constexpr size_t kSavedLineMaxBytes = 120;

// Splits bytes into lines (without their "\n" or "\r\n"). A line that
// holds a control byte (NUL included), runs past kSavedLineMaxBytes, or is
// the last one and lacks its newline (the file was cut short) comes back
// empty, and fault names the first such line; an empty file is a fault too.
// fault stays as it was when every line is fine.
std::vector<std::string> SplitSavedLines(const std::string& bytes, std::string& fault);
