// The two steps every POSIX save shares: writing a whole buffer and making a
// new name in a folder durable.
#pragma once
#include <string>

// Writes every byte, through short writes and interruptions; false on error.
bool WriteAll(int fd, const std::string& bytes);
// A rename or a new name is only durable once the folder's entry reaches
// the disk.
void SyncFolder(const std::string& folder);
