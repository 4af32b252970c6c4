// Broken variants of the program's data files, for tests that hand the real
// program hostile input: a file cut short, emptied, declaring enormous
// sizes, overwritten with random bytes, replaced by a folder or by a named
// pipe with no writer, or gone.
#pragma once
#include <cstdint>
#include <string>

namespace testkit {

enum class Breakage { Truncated, ZeroLength, HugeSize, RandomBytes, Directory, NamedPipe, Missing };
constexpr int kBreakageCount = 7;

// A short name for test names ("Truncated", "ZeroLength", ...).
const char* BreakageName(Breakage kind);

// Replaces the file (or folder) at path by the broken variant; seed picks
// the random bytes and, for HugeSize, which enormous size a header
// declares (for a BMP: sides whose area overflows, sides within bounds
// whose area is far too big, or pixel data at the end of a sparse 4 GiB
// file). A HugeSize on something that is neither a BMP nor a WAV
// becomes random bytes. False (with the reason in why) when it could not.
bool BreakFile(const std::string& path, Breakage kind, uint32_t seed, std::string& why);

// Copies the program's folder (the program, data/ and smalfont.bmp) into
// target, which must exist. The program is hard-linked where the file
// system allows it, else copied. False (with the reason in why) when it
// could not.
bool CopyGameFolder(const std::string& gameDir, const std::string& target, std::string& why);

}  // namespace testkit
