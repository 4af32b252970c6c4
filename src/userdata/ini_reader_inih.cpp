#include <ini.h>

#include "userdata/ini_reader.h"

int ReadIniText(const char* text, IniEntryHandler handler, void* user) { return ini_parse_string(text, handler, user); }
