// The letters that make a temporary file's name its writer's own, shared by
// the POSIX and Windows saves.
#pragma once
#include <cstdint>
#include <string>

// Six lower-case letters and digits from the process id, a count of the
// names this process asked for and the clock, mixed so that neighbouring
// inputs give unrelated letters. Two writers asking at once differ in the
// count (threads) or the process id (programs); the clock separates a
// program from its own earlier run.
std::string UniqueLetters(std::uint64_t processId, std::uint64_t clockTicks);
