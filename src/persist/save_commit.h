#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace persist {

// One file of the save and its whole contents.
struct TSaveFile {
  std::string name;  // in the save folder
  std::vector<uint8_t> bytes;
};

// Called after each step of a commit that touches the disk; the crash test stops the process
// there. Empty for a player's save.
using TCommitStep = std::function<void()>;

// The name of the marker that says a save's temporaries are complete and must replace the
// files; it lives beside them in the save folder only while a commit is under way.
extern const char* const kCommitMarker;
// The temporary copy a file is written to before it replaces the file.
std::string TemporaryName(const std::string& name);

// Replaces the files together: each is written whole to its temporary and flushed; then the
// marker (the commit point) is written, the temporaries are renamed over the files in order
// and the marker is removed. A crash before the marker leaves the old files, after it the
// next start finishes the job. EInOutError ("Disk full: <path>", ...) on failure, with the
// files as they were.
void CommitSaveFiles(const std::string& folder, const std::vector<TSaveFile>& files,
                     const TCommitStep& afterStep = {});

// At start-up, before the files are read: a commit whose marker is whole is finished;
// otherwise its leftovers (temporaries, a torn marker) are removed. Either way the folder
// then holds the old files or the new ones, never a mix.
// `names`: the files a save commits.
void FinishInterruptedCommit(const std::string& folder, const std::vector<std::string>& names);

}  // namespace persist
