#pragma once
// The system's memory of file contents, for tests of what the program does with files that must
// come from the disk (the first listing of the day).

#include <string>

namespace thld::test {

// Writes the file's bytes to the disk and asks the system to forget them, so that the next read
// comes from the disk. False where that can't be asked (Windows) or the file can't be opened; a file
// system that keeps everything in memory (tmpfs) answers true and forgets nothing.
bool DropFromMemory(const std::string& path);

}  // namespace thld::test
