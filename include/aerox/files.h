/// @file
/// @brief Files: numbered file channels, INI files, folder listings and
/// saving pictures.
#pragma once
#include "aerox/text.h"

/// @defgroup files Files and folders
/// @brief File channels 0..255, INI files, folder listings and saved
/// pictures, inside the game's two folders.
///
/// A game has two folders. The per-user folder is the game's own folder
/// for this user (where the settings and hi-scores are kept); the game's
/// folder is the one that holds the program (and its data archive). Reads
/// look first in the per-user folder, then in the game's folder, then in
/// the data archive (as LoadSprite does). Writes, deletes and new folders
/// go to the per-user folder alone, so a game can never change its own
/// files. Paths are UTF-8 and relative, with '/' or '\' between folders; a
/// path that is absolute, names a drive (holds ':'), climbs out with ".."
/// or names a Windows device (CON, NUL.txt, COM1 and the like) is refused, except a path the player chose in a file
/// dialog during this run, which is used as given.
///
/// These commands need no window: they work before RunGame too, once the
/// per-user folder is known (AEROX_USER_DIR, or the game's name given to
/// RunGame); SaveSprite and SaveScreen need the running engine. A channel
/// number has its fraction cut off. Every failure (a channel outside
/// 0..255, a closed or wrong-mode channel, a refused or missing path, a
/// disk that is full) returns the failure value said on each command and
/// writes one log line naming the command.
/// @{

// --- file channels
/// Opens a file for reading: the per-user folder's, else the game
/// folder's, else the data archive's.
/// @param channel the channel, 0..255, not in use.
/// @param path the file's path.
/// @return 1, or 0 for a bad or busy channel, a refused path or a file
///         found nowhere.
double OpenToRead(double channel, const RtString& path);
/// Opens a new file for writing in the per-user folder. The file is
/// written whole or not at all: what is written goes to a temporary file
/// that replaces the old file only at CloseFile; a program that ends
/// first leaves the old file as it was. Two channels may write one file
/// at once: each CloseFile replaces it whole, so the last one wins.
/// @param channel the channel, 0..255, not in use.
/// @param path the file's path; its folder must exist.
/// @return 1, or 0 for a bad or busy channel, a refused path or a folder
///         that cannot be written.
double OpenToWrite(double channel, const RtString& path);
/// Opens a file of the per-user folder for adding to its end (made when
/// missing). What is added reaches the disk at CloseFile.
/// @param channel the channel, 0..255, not in use.
/// @param path the file's path; its folder must exist.
/// @return 1, or 0 for a bad or busy channel, a refused path or a file
///         that cannot be opened.
double OpenToAppend(double channel, const RtString& path);
/// Closes a channel. A channel opened by OpenToWrite now replaces its
/// file (flushed, renamed, the folder synced).
/// @param channel the channel, 0..255.
/// @return 1, or 0 for a bad or closed channel or a file that could not
///         be saved (then the old file stays).
double CloseFile(double channel);
/// Tells whether a reading channel has no more bytes.
/// @param channel the channel, 0..255.
/// @return 1 at the end (and for a writing channel), 0 before it; 1 also
///         for a bad or closed channel, so that a reading loop ends.
double EndOfFile(double channel);
/// Reads the next line of a reading channel.
/// @param channel the channel, 0..255.
/// @return the line without its "\n" or "\r\n". A line longer than 1 MiB
///         is cut there (the rest of it is skipped, one log line). "" at
///         the end, for a line that holds a zero byte (not text), or for a
///         bad, closed or writing channel.
RtString ReadLine(double channel);
/// Writes a text and a "\n" to a writing channel.
/// @param channel the channel, 0..255.
/// @param text the text.
/// @return 1, or 0 for a bad, closed or reading channel or a failed write.
double WriteLine(double channel, const RtString& text);
/// Reads one byte of a reading channel.
/// @param channel the channel, 0..255.
/// @return 0..255, or -1 at the end or for a bad, closed or writing
///         channel.
double ReadByte(double channel);
/// Writes one byte to a writing channel.
/// @param channel the channel, 0..255.
/// @param value 0..255; a fraction is cut off.
/// @return 1, or 0 for a value out of range, a bad, closed or reading
///         channel or a failed write.
double WriteByte(double channel, double value);
/// Reads a number written by WriteNumber: 8 bytes, an IEEE double,
/// little-endian.
/// @param channel the channel, 0..255.
/// @return the number, or 0 when fewer than 8 bytes are left or for a
///         bad, closed or writing channel.
double ReadNumber(double channel);
/// Writes a number as 8 bytes, an IEEE double, little-endian.
/// @param channel the channel, 0..255.
/// @param value any number.
/// @return 1, or 0 for a bad, closed or reading channel or a failed write.
double WriteNumber(double channel, double value);
/// Tells where in its file a channel reads or writes.
/// @param channel the channel, 0..255.
/// @return the position in bytes from the start, or -1 for a bad or
///         closed channel.
double FilePosition(double channel);
/// Moves a channel to a position of its file.
/// @param channel the channel, 0..255.
/// @param position 0..FileLength(channel); a fraction is cut off.
/// @return 1, or 0 for a position outside the file or a bad or closed
///         channel.
double SeekFile(double channel, double position);
/// Tells the length of a channel's file (for a writing channel, what was
/// written so far).
/// @param channel the channel, 0..255.
/// @return the length in bytes, or -1 for a bad or closed channel.
double FileLength(double channel);

// --- files and folders
/// Tells whether a file can be read at a path (in either folder or the
/// data archive).
/// @param path the file's path.
/// @return 1 or 0 (0 also for a refused path).
double FileExists(const RtString& path);
/// Deletes a file of the per-user folder.
/// @param path the file's path.
/// @return 1, or 0 for a refused path or a file that is not there or
///         cannot be deleted.
double RemoveFile(const RtString& path);
/// Renames (or moves) a file or folder within the per-user folder; what
/// already has the new name is never replaced.
/// @param from the present path.
/// @param to the new path.
/// @return 1, or 0 for a refused path, a missing file or a taken name.
double RenameFile(const RtString& from, const RtString& to);
/// Makes a folder in the per-user folder, with the folders above it.
/// @param path the folder's path.
/// @return 1 (also when it exists already), or 0 for a refused path or a
///         folder that cannot be made.
double MakeFolder(const RtString& path);
/// Lists a folder: the per-user folder's entries and the game folder's
/// merged (an entry of the per-user folder hides the game folder's entry
/// of the same name), sorted by name (byte order), without "." and "..".
/// The list is kept for FolderEntry and FolderEntryIsFolder until the next
/// ListFolder.
/// @param path the folder's path; "" or "." for the folders themselves.
/// @return the number of entries, or -1 for a refused path or a folder
///         that is in neither place (the list is then empty).
double ListFolder(const RtString& path);
/// The name of an entry of the last listing.
/// @param index 0..ListFolder()-1.
/// @return the name, or "" for an index outside the list.
RtString FolderEntry(double index);
/// Tells whether an entry of the last listing is a folder.
/// @param index 0..ListFolder()-1.
/// @return 1 for a folder, 0 for a file or an index outside the list.
double FolderEntryIsFolder(double index);

// --- INI files
/// Reads a value of an INI file ("[section]" headers and "key = value"
/// lines, ';' and '#' comments), as the engine reads its own settings.
/// Sections and keys are compared without regard to letter case; a key
/// given twice (or continued on indented lines) gives its last value.
/// @param path the file's path (read as OpenToRead looks for it).
/// @param section the section; "" for the keys before the first header.
/// @param key the key.
/// @param fallback what to give when there is no such value.
/// @return the value, or fallback when the file or the key is missing,
///         the file is over 4 MiB or the path is refused.
RtString ReadIni(const RtString& path, const RtString& section, const RtString& key, const RtString& fallback);
/// Reads a value of an INI file as a number (as ToNumber reads text).
/// @param path the file's path.
/// @param section the section.
/// @param key the key.
/// @param fallback what to give when there is no such value.
/// @return the number, or fallback when the value is missing.
double ReadIniNumber(const RtString& path, const RtString& section, const RtString& key, double fallback);
/// Sets one value of an INI file of the per-user folder (starting from the
/// game folder's copy when the per-user folder has none). Every other
/// line, comment and the order stay as they were; a missing key is added
/// at the end of its section, a missing section at the end of the file.
/// The file is saved whole or not at all.
/// @param path the file's path.
/// @param section the section; "" for the keys before the first header.
/// @param key the key.
/// @param value the value.
/// @return 1, or 0 for a refused path, a file over 4 MiB or holding a zero
///         byte, a section, key or value an INI file cannot hold as given
///         (a line break, spaces at its ends, an inline comment) or a file
///         that cannot be saved.
double WriteIni(const RtString& path, const RtString& section, const RtString& key, const RtString& value);

// --- saving pictures
/// Saves a sprite as a picture in the per-user folder: PNG, or BMP when
/// the name ends in ".bmp". Transparent pixels are saved in LoadSprite's
/// key colour (red 255, green 0, blue 128), so loading the file gives the
/// same sprite back.
/// @param slot the sprite slot.
/// @param path the file's path.
/// @return 1, or 0 for an empty slot, a refused path or a file that cannot
///         be saved.
double SaveSprite(double slot, const RtString& path);
/// Saves the screen drawn so far (before ShowScreen shows it) as a
/// picture in the per-user folder: PNG, or BMP when the name ends in
/// ".bmp".
/// @param path the file's path.
/// @return 1, or 0 for a refused path or a file that cannot be saved.
double SaveScreen(const RtString& path);

/// @}
