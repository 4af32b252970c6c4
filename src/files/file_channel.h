// One numbered file channel: a file open for reading (from the disk, or an
// entry of the data archive held in memory), for writing into a temporary
// file that takes the target's name at close, or for appending.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

enum class ChannelMode { Closed, Read, Write, Append };

class FileChannel {
public:
    FileChannel() = default;
    FileChannel(const FileChannel&) = delete;
    FileChannel& operator=(const FileChannel&) = delete;
    ~FileChannel() { Discard(); }

    ChannelMode mode() const { return mode_; }
    // For log lines: the path as the game gave it.
    const std::string& shownPath() const { return shownPath_; }

    void OpenFileForRead(std::FILE* file, const std::string& shown);
    void OpenMemoryForRead(std::string bytes, const std::string& shown);
    void OpenTemporaryForWrite(std::FILE* file, const std::string& tempPath, const std::string& target,
                               const std::string& shown);
    void OpenFileForAppend(std::FILE* file, const std::string& target, const std::string& shown);

    // The next byte, or -1 at the end.
    int GetByte();
    // Up to size bytes; how many were read.
    size_t Read(char* into, size_t size);
    bool AtEnd();
    bool Write(const char* bytes, size_t size);
    int64_t Position();
    int64_t Length();
    bool Seek(int64_t position);

    // Ends the channel: a write replaces its target now. False when that
    // (or flushing an append) failed.
    bool Close();
    // Ends the channel without replacing anything: the temporary goes.
    void Discard();

private:
    ChannelMode mode_ = ChannelMode::Closed;
    std::FILE* file_ = nullptr;
    bool inMemory_ = false;
    std::string memory_;
    size_t memoryAt_ = 0;
    std::string tempPath_;
    std::string target_;
    std::string shownPath_;
};

// The channel for a game's channel number (fraction cut off), or nullptr
// with one log line naming the command for a number outside 0..255.
FileChannel* ChannelFor(const char* command, double number);

// Closes every channel, replacing nothing: unfinished writes are dropped.
void DiscardAllFileChannels();
