// The file channel commands: opening in the two folders, lines, bytes and
// numbers. Bad input gives the failure value and one log line.
#include <cstring>
#include <string>

#include "aerox/files.h"
#include "files/file_channel.h"
#include "files/folder_system.h"
#include "files/game_paths.h"
#include "runtime/errors.h"
#include "runtime/sys_files.h"
#include "userdata/atomic_file.h"

namespace {

// Longer lines are not text a game wrote: they are cut here.
constexpr size_t kMaxLineBytes = size_t{1} << 20;
// An archive entry read through a channel is held in memory whole.
constexpr size_t kMaxArchiveEntryBytes = size_t{256} << 20;

void Log(const char* command, const FileChannel& channel, const std::string& why) {
    LogFileFailure(command, channel.shownPath(), why);
}

// The channel when it is free, else nullptr (logged).
FileChannel* FreeChannel(const char* command, double number) {
    FileChannel* channel = ChannelFor(command, number);
    if (channel == nullptr || channel->mode() == ChannelMode::Closed) return channel;
    LogFileFailure(command, channel->shownPath(), "is open on that channel already");
    return nullptr;
}

// The channel when it is open in one of the wanted modes, else nullptr
// (logged).
FileChannel* OpenChannel(const char* command, double number, bool reading) {
    FileChannel* channel = ChannelFor(command, number);
    if (channel == nullptr) return nullptr;
    if (channel->mode() == ChannelMode::Closed) {
        AppendLogLine((std::string(command) + ": the channel is not open").c_str());
        return nullptr;
    }
    const bool readChannel = channel->mode() == ChannelMode::Read;
    if (readChannel != reading) {
        Log(command, *channel, reading ? "is open for writing, not reading" : "is open for reading, not writing");
        return nullptr;
    }
    return channel;
}

// Either mode.
FileChannel* AnyOpenChannel(const char* command, double number) {
    FileChannel* channel = ChannelFor(command, number);
    if (channel != nullptr && channel->mode() == ChannelMode::Closed) {
        AppendLogLine((std::string(command) + ": the channel is not open").c_str());
        return nullptr;
    }
    return channel;
}

bool Written(const char* command, FileChannel& channel, const char* bytes, size_t size) {
    if (channel.Write(bytes, size)) return true;
    Log(command, channel, "could not be written (is the disk full?)");
    return false;
}

}  // namespace

double OpenToRead(double channel, const RtString& path) {
    FileChannel* file = FreeChannel("OpenToRead", channel);
    GamePath placed;
    if (file == nullptr || !PlaceGamePath("OpenToRead", path.Text(), placed)) return 0;
    for (const std::string* candidate : {&placed.user, &placed.game}) {
        if (candidate->empty() || !IsReadableFile(*candidate)) continue;
        std::FILE* opened = OpenFile(*candidate, "rb");
        if (opened == nullptr) continue;
        file->OpenFileForRead(opened, path.Text());
        return 1;
    }
    std::string bytes;
    bool tooBig = false;
    if (!placed.chosen && ReadWholeGameFile(placed, kMaxArchiveEntryBytes, bytes, tooBig)) {
        file->OpenMemoryForRead(std::move(bytes), path.Text());
        return 1;
    }
    LogFileFailure("OpenToRead", path.Text(), "was not found in the per-user folder, the game's folder or its archive");
    return 0;
}

double OpenToWrite(double channel, const RtString& path) {
    FileChannel* file = FreeChannel("OpenToWrite", channel);
    GamePath placed;
    std::string target;
    if (file == nullptr || !PlaceGamePath("OpenToWrite", path.Text(), placed) ||
        !WritablePath("OpenToWrite", placed, target))
        return 0;
    if (KindOfPath(target) == PathKind::Folder) {
        LogFileFailure("OpenToWrite", path.Text(), "is a folder");
        return 0;
    }
    // Temporaries of writers that died mid-write go once they are old.
    RemoveStaleTemporaries(target);
    std::string temp;
    std::FILE* opened = CreateTemporaryBeside(target, temp);
    if (opened == nullptr) {
        LogFileFailure("OpenToWrite", path.Text(), "cannot be written (is its folder there?)");
        return 0;
    }
    file->OpenTemporaryForWrite(opened, temp, target, path.Text());
    return 1;
}

double OpenToAppend(double channel, const RtString& path) {
    FileChannel* file = FreeChannel("OpenToAppend", channel);
    GamePath placed;
    std::string target;
    if (file == nullptr || !PlaceGamePath("OpenToAppend", path.Text(), placed) ||
        !WritablePath("OpenToAppend", placed, target))
        return 0;
    const PathKind kind = KindOfPath(target);
    std::FILE* opened = kind == PathKind::File || kind == PathKind::Missing ? OpenFile(target, "ab") : nullptr;
    if (opened == nullptr) {
        LogFileFailure("OpenToAppend", path.Text(), "cannot be opened for appending");
        return 0;
    }
    file->OpenFileForAppend(opened, target, path.Text());
    return 1;
}

double CloseFile(double channel) {
    FileChannel* file = AnyOpenChannel("CloseFile", channel);
    if (file == nullptr) return 0;
    const std::string shown = file->shownPath();
    if (file->Close()) return 1;
    LogFileFailure("CloseFile", shown, "could not be saved; the file is as it was");
    return 0;
}

double EndOfFile(double channel) {
    FileChannel* file = AnyOpenChannel("EndOfFile", channel);
    return file == nullptr || file->AtEnd() ? 1 : 0;
}

RtString ReadLine(double channel) {
    FileChannel* file = OpenChannel("ReadLine", channel, true);
    if (file == nullptr) return RtString();
    if (file->AtEnd()) {
        Log("ReadLine", *file, "has no more lines");
        return RtString();
    }
    std::string line;
    bool cut = false;
    bool zero = false;
    int c = file->GetByte();
    while (c >= 0 && c != '\n') {
        if (line.size() < kMaxLineBytes)
            line += static_cast<char>(c);
        else
            cut = true;
        zero = zero || c == 0;
        c = file->GetByte();
    }
    if (c == '\n' && !line.empty() && line.back() == '\r' && !cut) line.pop_back();
    if (zero) {
        Log("ReadLine", *file, "holds a line with a zero byte: not text");
        return RtString();
    }
    if (cut) Log("ReadLine", *file, "holds a line over 1 MiB: it was cut there");
    return RtString(line.c_str());
}

double WriteLine(double channel, const RtString& text) {
    FileChannel* file = OpenChannel("WriteLine", channel, false);
    if (file == nullptr) return 0;
    std::string line(text.Text(), text.Length());
    line += '\n';
    return Written("WriteLine", *file, line.data(), line.size()) ? 1 : 0;
}

double ReadByte(double channel) {
    FileChannel* file = OpenChannel("ReadByte", channel, true);
    return file == nullptr ? -1 : file->GetByte();
}

double WriteByte(double channel, double value) {
    FileChannel* file = OpenChannel("WriteByte", channel, false);
    if (file == nullptr) return 0;
    if (!(value >= 0 && value < 256)) {
        Log("WriteByte", *file, "was not given a byte (0..255)");
        return 0;
    }
    const char byte = static_cast<char>(static_cast<unsigned char>(value));
    return Written("WriteByte", *file, &byte, 1) ? 1 : 0;
}

double ReadNumber(double channel) {
    FileChannel* file = OpenChannel("ReadNumber", channel, true);
    if (file == nullptr) return 0;
    unsigned char bytes[8];
    if (file->Read(reinterpret_cast<char*>(bytes), sizeof bytes) != sizeof bytes) {
        Log("ReadNumber", *file, "has fewer than 8 bytes left");
        return 0;
    }
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double WriteNumber(double channel, double value) {
    FileChannel* file = OpenChannel("WriteNumber", channel, false);
    if (file == nullptr) return 0;
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    for (char& byte : bytes) {
        byte = static_cast<char>(bits & 0xff);
        bits >>= 8;
    }
    return Written("WriteNumber", *file, bytes, sizeof bytes) ? 1 : 0;
}

double FilePosition(double channel) {
    FileChannel* file = AnyOpenChannel("FilePosition", channel);
    return file == nullptr ? -1 : static_cast<double>(file->Position());
}

double SeekFile(double channel, double position) {
    FileChannel* file = AnyOpenChannel("SeekFile", channel);
    if (file == nullptr) return 0;
    const int64_t length = file->Length();
    if (!(position >= 0 && position <= static_cast<double>(length)) || !file->Seek(static_cast<int64_t>(position))) {
        Log("SeekFile", *file, "has no such position");
        return 0;
    }
    return 1;
}

double FileLength(double channel) {
    FileChannel* file = AnyOpenChannel("FileLength", channel);
    return file == nullptr ? -1 : static_cast<double>(file->Length());
}
