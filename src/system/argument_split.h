// Turns RunProcess's one text of arguments into an argument list.
#pragma once
#include <string>
#include <vector>

// Splits at spaces; double quotes keep spaces inside an argument and ""
// makes an empty one; \" is a quote and \\ a backslash, any other
// backslash stands for itself (so C:\dir\file needs no doubling).
std::vector<std::string> SplitArguments(const std::string& text);
