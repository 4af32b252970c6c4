// Reading INI text: "[section]" headers and "key = value" entries, one per
// line. On Linux this is Debian's inih library (ini_reader_inih.cpp); a
// build for a platform whose inih could not be built from Debian's source
// uses ini_reader_own.cpp, which reads the same text the same way
// (its defaults: ';' and '#' comments, inline "; comment" after a space,
// '=' or ':' between key and value, indented lines continuing the last
// value, a UTF-8 byte-order mark skipped).
#pragma once

// Called for each entry and each continued value; returning 0 marks the
// line as an error.
using IniEntryHandler = int (*)(void* user, const char* section, const char* key, const char* value);

// Calls the handler for every entry of the NUL-terminated text. Returns 0,
// or the number of the first line that could not be read.
int ReadIniText(const char* text, IniEntryHandler handler, void* user);
