#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Reads a whole file. On failure returns false and says why in the system's words.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why);
// The same for a file that may be no larger than `most` bytes (EFBIG beyond).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why,
                   int64_t most);

// Replaces a file in one step: the bytes go to a temporary file beside it, which is flushed
// and renamed over the old one, so a crash never leaves a half-written file behind.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& why);

// The steps of a save that must survive a crash. Each returns 0 or the system's error number.
// Creates or truncates the file, writes it whole and flushes it to the disk before returning.
int WriteFileSynced(const std::string& path, const std::vector<uint8_t>& bytes);
int RenameFile(const std::string& from, const std::string& to);
int RemoveFile(const std::string& path);  // a file that is not there is no error
// Flushes a folder's entries, so files made, renamed or removed in it stay so after a crash.
int SyncFolder(const std::string& folder);
int MakeFolders(const std::string& folder);
// Renames a file or folder to `aside`, first removing an older one of that name.
int SetAside(const std::string& path, const std::string& aside);

enum class TPathKind { Missing, File, Other };
TPathKind PathKind(const std::string& path);
std::string AbsolutePath(const std::string& path);
// The names of the plain files in a folder; none when it cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);

}  // namespace platform
