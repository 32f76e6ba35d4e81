#pragma once
// The temporary files of the saves under way, in a table of fixed size that a signal
// handler may go through: removing them takes no lock and allocates nothing.

#include <cstddef>
#include <filesystem>

namespace MyApp::PendingTemporaries {

constexpr std::size_t Slots = 512;  // a folder export holds a few hundred at once
constexpr std::size_t NameLength = 4096;  // path characters a slot holds, the end included

constexpr int Stopped = -1;   // RemoveAll has begun: no save may begin a temporary now
constexpr int Untracked = -2; // no free slot, or a path too long: the save goes on untracked

// Records `temporary` before its file is created: a slot, Stopped or Untracked.
int Add(const std::filesystem::path& temporary);
// The file of `slot` exists now (or was not created after all: Remove follows).
void Created(int slot);
// The file is gone, or has become the target.
void Remove(int slot);

// For a signal handler: no temporary is begun from now on, and the file of every slot is
// removed (a file being created at this moment is waited for, a few milliseconds at most).
void RemoveAll();

}  // namespace MyApp::PendingTemporaries
