#include "platform/file_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace platform {

namespace {

// Files of the game are a few megabytes; anything past this is not one of ours.
constexpr off_t kLargestFile = off_t{1} << 30;

bool Fail(std::string& why, int error) {
  why = std::strerror(error);
  return false;
}

bool FailAndClose(std::string& why, int error, int fd) {
  ::close(fd);
  return Fail(why, error);
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
  return ReadWholeFile(path, bytes, why, kLargestFile);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why,
                   int64_t most) {
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(why, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) return FailAndClose(why, errno, fd);
  if (S_ISDIR(info.st_mode)) return FailAndClose(why, EISDIR, fd);
  if (info.st_size > most) return FailAndClose(why, EFBIG, fd);
  // Pipes and devices have no size: they are read until they end.
  constexpr size_t kChunk = 64 * 1024;
  bytes.clear();
  for (;;) {
    const size_t done = bytes.size();
    if (done > static_cast<size_t>(most)) return FailAndClose(why, EFBIG, fd);
    const size_t want = S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) > done
                            ? static_cast<size_t>(info.st_size) - done
                            : kChunk;
    bytes.resize(done + want);
    const ssize_t got = ::read(fd, bytes.data() + done, want);
    if (got < 0 && errno == EINTR) {
      bytes.resize(done);
      continue;
    }
    if (got < 0) return FailAndClose(why, errno, fd);
    bytes.resize(done + static_cast<size_t>(got));
    if (got == 0) break;
  }
  ::close(fd);
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& why) {
  const std::string target = NativePath(path);
  const std::string temporary = target + ".tmp";
  int error = WriteFileSynced(temporary, bytes);
  if (error == 0) error = RenameFile(temporary, target);
  if (error == 0) return true;
  ::unlink(temporary.c_str());
  return Fail(why, error);
}

int WriteFileSynced(const std::string& path, const std::vector<uint8_t>& bytes) {
  const int fd = ::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  const bool written = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  const int error = written ? 0 : errno;
  if (::close(fd) != 0 && written) return errno;
  return error;
}

int RenameFile(const std::string& from, const std::string& to) {
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const std::string& path) {
  if (::unlink(NativePath(path).c_str()) == 0 || errno == ENOENT) return 0;
  return errno;
}

int SyncFolder(const std::string& folder) {
  const int fd = ::open(NativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

int MakeFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(NativePath(folder), error);
  return error.value();
}

int SetAside(const std::string& path, const std::string& aside) {
  std::error_code error;
  std::filesystem::remove_all(NativePath(aside), error);
  if (error) return error.value();
  return RenameFile(path, aside);
}

TPathKind PathKind(const std::string& path) {
  struct stat info {};
  if (::stat(NativePath(path).c_str(), &info) != 0)
    return errno == ENOENT ? TPathKind::Missing : TPathKind::Other;
  return S_ISREG(info.st_mode) ? TPathKind::File : TPathKind::Other;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(NativePath(path), error);
  return error ? NativePath(path) : absolute.lexically_normal().string();
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator entry(NativePath(folder), error);
  // Stepped with an error code: a folder that fails half-way ends the list, never throws.
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::error_code kind;
    if (entry->is_regular_file(kind)) names.push_back(entry->path().filename().string());
  }
  return names;
}

}  // namespace platform
