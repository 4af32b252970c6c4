// The engine's own settings, kept in settings.ini in the per-user folder:
//   [window]
//   scale = 0..16        (0: the largest whole scale the screen allows)
//   fullscreen = 0 | 1
//   [sound]
//   volume = 0..100      (in steps of 10)
// Blank lines, comments (';' or '#') and the headers of these two sections
// are fine. Any other line that is not one of these entries with a whole
// number in its range (written in at most three digits) makes the file
// untrusted: an unknown section (even an empty one) or key, a key given twice, a value out of range or not a
// whole number, a line the INI reader cannot read, a control or NUL byte, a line
// over 120 bytes, a last line without its newline, an empty file, a file
// over 64 KiB or one that cannot be read. Such a file is set aside with
// one log line; the valid entries are kept (and written back into a clean
// file), the rest take their defaults.
#pragma once

struct UserSettings {
    int scale = 0;
    bool fullscreen = false;
    int volume = 100;
};

// The settings from the file; the defaults when there is none (no log).
UserSettings LoadUserSettings();

// Writes the settings (each brought into its range first). False, with a
// log line, when the file could not be written.
bool SaveUserSettings(const UserSettings& settings);
