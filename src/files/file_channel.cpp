#include "files/file_channel.h"

#include <algorithm>
#include <utility>

#include "files/chosen_paths.h"
#include "files/folder_system.h"
#include "runtime/errors.h"
#include "runtime/sys_files.h"
#include "userdata/user_store.h"

namespace {

constexpr int kChannels = 256;
FileChannel g_channels[kChannels];

}  // namespace

void FileChannel::OpenFileForRead(std::FILE* file, const std::string& shown) {
    mode_ = ChannelMode::Read;
    file_ = file;
    shownPath_ = shown;
}

void FileChannel::OpenMemoryForRead(std::string bytes, const std::string& shown) {
    mode_ = ChannelMode::Read;
    inMemory_ = true;
    memory_ = std::move(bytes);
    memoryAt_ = 0;
    shownPath_ = shown;
}

void FileChannel::OpenTemporaryForWrite(std::FILE* file, const std::string& tempPath, const std::string& target,
                                        const std::string& shown) {
    mode_ = ChannelMode::Write;
    file_ = file;
    tempPath_ = tempPath;
    target_ = target;
    shownPath_ = shown;
}

void FileChannel::OpenFileForAppend(std::FILE* file, const std::string& target, const std::string& shown) {
    mode_ = ChannelMode::Append;
    file_ = file;
    target_ = target;
    shownPath_ = shown;
}

int FileChannel::GetByte() {
    if (inMemory_) {
        if (memoryAt_ >= memory_.size()) return -1;
        return static_cast<unsigned char>(memory_[memoryAt_++]);
    }
    const int c = std::getc(file_);
    return c == EOF ? -1 : c;
}

size_t FileChannel::Read(char* into, size_t size) {
    if (inMemory_) {
        const size_t n = std::min(size, memory_.size() - std::min(memoryAt_, memory_.size()));
        memory_.copy(into, n, memoryAt_);
        memoryAt_ += n;
        return n;
    }
    return std::fread(into, 1, size, file_);
}

bool FileChannel::AtEnd() {
    if (mode_ != ChannelMode::Read) return true;
    if (inMemory_) return memoryAt_ >= memory_.size();
    const int c = std::getc(file_);
    if (c == EOF) return true;
    std::ungetc(c, file_);
    return false;
}

bool FileChannel::Write(const char* bytes, size_t size) {
    return file_ != nullptr && std::fwrite(bytes, 1, size, file_) == size;
}

int64_t FileChannel::Position() {
    if (inMemory_) return static_cast<int64_t>(memoryAt_);
    // Appending writes at the end, wherever the position was.
    if (mode_ == ChannelMode::Append) return Length();
    return TellFile(file_);
}

int64_t FileChannel::Length() {
    if (inMemory_) return static_cast<int64_t>(memory_.size());
    int64_t size = -1;
    if (mode_ != ChannelMode::Read) std::fflush(file_);
    return OpenFileSize(file_, size) ? size : -1;
}

bool FileChannel::Seek(int64_t position) {
    if (inMemory_) {
        if (position < 0 || position > static_cast<int64_t>(memory_.size())) return false;
        memoryAt_ = static_cast<size_t>(position);
        return true;
    }
    return SeekTo(file_, position);
}

bool FileChannel::Close() {
    bool ok = true;
    if (mode_ == ChannelMode::Write) {
        ok = FinishTemporary(file_, tempPath_, target_);
        // Renamed or removed: the name is no longer this channel's.
        tempPath_.clear();
        UserStoreChanged();
    } else if (mode_ == ChannelMode::Append) {
        ok = SyncAndClose(file_);
        UserStoreChanged();
    } else if (file_ != nullptr) {
        std::fclose(file_);
    }
    file_ = nullptr;
    if (ok && mode_ != ChannelMode::Read) NoteFileSaved(target_);
    Discard();
    return ok;
}

void FileChannel::Discard() {
    if (file_ != nullptr) std::fclose(file_);
    if (mode_ == ChannelMode::Write && !tempPath_.empty()) RemoveFile(tempPath_);
    file_ = nullptr;
    mode_ = ChannelMode::Closed;
    inMemory_ = false;
    memory_.clear();
    memoryAt_ = 0;
    tempPath_.clear();
    target_.clear();
    shownPath_.clear();
}

FileChannel* ChannelFor(const char* command, double number) {
    if (!(number >= 0 && number < kChannels)) {
        char text[64];
        std::snprintf(text, sizeof text, ": channel %.17g is not 0..255", number);
        AppendLogLine((std::string(command) + text).c_str());
        return nullptr;
    }
    return &g_channels[static_cast<int>(number)];
}

void DiscardAllFileChannels() {
    for (FileChannel& channel : g_channels) channel.Discard();
}
