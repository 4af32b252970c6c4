// The command line CreateProcessW is given: each argument quoted so that
// the child's CommandLineToArgvW (and the C runtime's own parser) gives it
// back byte for byte. Plain code, so that it is tested on every platform.
#pragma once
#include <string>
#include <vector>

// One argument as the child's parser reads it back: quoted when it is
// empty or holds a space, tab or quote; backslashes doubled only where
// they come before a quote (or the closing quote).
std::string QuoteWindowsArgument(const std::string& argument);

// The program and its arguments as one command line.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments);

// .bat and .cmd programs run through the command interpreter, which reads
// its own line with other rules: they are never started.
bool IsBatchProgram(const std::string& program);
