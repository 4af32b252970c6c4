// The engine's own INI reader (builds without inih) reads every text as
// inih does: the same entries, in the same order, and the same first bad
// line.
#include <gtest/gtest.h>

#include <string>

#include "userdata/ini_reader.h"

#ifdef AEROX_TEST_BOTH_INI_READERS
int OwnReadIniText(const char* text, IniEntryHandler handler, void* user);

namespace {

struct Reading {
    std::string entries;
    int badLine = 0;
};

int Record(void* user, const char* section, const char* key, const char* value) {
    auto& entries = static_cast<Reading*>(user)->entries;
    entries += std::string(section) + "|" + key + "|" + value + "\n";
    return std::string(key) != "refused";
}

Reading Read(int (*reader)(const char*, IniEntryHandler, void*), const char* text) {
    Reading reading;
    reading.badLine = reader(text, &Record, &reading);
    return reading;
}

TEST(IniReaderTest, TheOwnReaderReadsEveryTextAsInihDoes) {
    const char* texts[] = {
        "",
        "[window]\nscale = 3\nfullscreen=1\n\n[sound]\nvolume = 70\n",
        "\xEF\xBB\xBF[window]\nscale = 2\n",
        "; comment\n# comment\n  ; indented comment\nkey = value ; inline\nk2 = a;b\nk3 = ;x\nk4 =\n",
        "key: value\nname = a = b\n = empty key\n",
        "[window]\nscale = 1\n  2\n\t3 ; note\n[sound]\n  4\n",
        "[unclosed\nnot an entry\n[ok]\nk = v\n[a ;b]\nk ;= v\n",
        "[  spaced  ]\n  key  =  value  \nrefused = 1\nafter = 2\n",
        "[s]\nk = v\r\nrefused = x\nbad line\n",
        "[]\nk=v\n[x]y\nk2=v2\n",
    };
    for (const char* text : texts) {
        const Reading inih = Read(&ReadIniText, text);
        const Reading own = Read(&OwnReadIniText, text);
        EXPECT_EQ(inih.entries, own.entries) << text;
        EXPECT_EQ(inih.badLine, own.badLine) << text;
    }
}

}  // namespace
#endif
