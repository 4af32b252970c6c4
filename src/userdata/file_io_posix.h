// The steps every POSIX save shares: a temporary name no other writer
// holds, writing a whole buffer and making a new name in a folder durable.
#pragma once
#include <string>

// mkstemp's contract (pattern ends in "XXXXXX", replaced by six letters or
// digits; the file is made new, private, open for reading and writing; -1
// on failure), with letters that differ between calls: the browser's C
// library draws its letters from a millisecond clock and addresses, so two
// temporaries made in the same millisecond got the same letters on every
// try, and the second failed.
int MakeUniqueFile(std::string& pattern);
// Writes every byte, through short writes and interruptions; false on error.
bool WriteAll(int fd, const std::string& bytes);
// A rename or a new name is only durable once the folder's entry reaches
// the disk.
void SyncFolder(const std::string& folder);
