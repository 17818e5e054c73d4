#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace records {

namespace {

using TClock = std::chrono::steady_clock;

// After the child closed its outputs, how often it is asked whether it has ended.
constexpr auto kReapEvery = std::chrono::milliseconds(10);

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

// A descriptor closed when it goes.
class TFd {
 public:
  explicit TFd(int fd = -1) : fd_(fd) {}
  ~TFd() { Close(); }
  TFd(TFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

struct TPipe {
  TFd read, write;
};

TPipe MakePipe() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) Fail("pipe");
  return {TFd(ends[0]), TFd(ends[1])};
}

// The input as a sealed file in memory: the child reads it as it would read `< file`, and the
// server never blocks writing to a child that does not read.
TFd SealedInput(std::span<const uint8_t> input) {
  TFd file(::memfd_create("input", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  if (file.Get() < 0) Fail("memfd_create");
  for (size_t done = 0; done < input.size();) {
    const ssize_t n = ::write(file.Get(), input.data() + done, input.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail("writing the input");
    done += static_cast<size_t>(n);
  }
  if (::lseek(file.Get(), 0, SEEK_SET) != 0) Fail("lseek");
  if (::fcntl(file.Get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) !=
      0)
    Fail("sealing the input");
  return file;
}

// A sanitised build's checker is held to the options the server runs under; nothing else of
// the server's environment (a database password, say) reaches it.
std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> kept;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (name.ends_with("SAN_OPTIONS")) kept.push_back(text);
  }
  return kept;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// stdin, stdout and stderr from the given descriptors, every other descriptor closed, the
// signal mask empty and every signal at its default, in a process group of its own (a
// terminal's Ctrl-C goes to the server, which ends its checkers itself).
pid_t Spawn(const std::string& program, const std::vector<std::string>& args, int in, int out,
            int errors) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errors, STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  sigdelset(&all, SIGKILL);
  sigdelset(&all, SIGSTOP);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> environment = ChildEnvironment();
  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes,
                                  Pointers(argv).data(), Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    errno = error;
    Fail("cannot start " + program);
  }
  return pid;
}

int RemainingMs(TClock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now());
  return static_cast<int>(std::max<int64_t>(0, left.count()));
}

// Reads what is there into text, up to most bytes kept; false at the end of the stream.
bool ReadSome(int fd, std::string& text, size_t most, bool& over) {
  std::array<char, 16 * 1024> chunk;
  const ssize_t n = ::read(fd, chunk.data(), chunk.size());
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  const size_t kept = std::min(static_cast<size_t>(n), most - std::min(most, text.size()));
  text.append(chunk.data(), kept);
  over = over || kept < static_cast<size_t>(n);
  return true;
}

class TChild {
 public:
  TChild(pid_t pid, const TChildLimits& limits, const TStopSignal& stop)
      : pid_(pid), limits_(limits), stop_(stop), deadline_(TClock::now() + limits.wallClock) {}
  // Left by an error on the way: the child is not left running, nor as a zombie.
  ~TChild() {
    if (reaped_) return;
    ::kill(pid_, SIGKILL);
    Wait();
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  // Both outputs read to their ends, or the child killed on the way.
  void Collect(int out, int errors) {
    bool outOpen = true, errorsOpen = true;
    while (outOpen || errorsOpen) {
      pollfd watched[] = {{outOpen ? out : -1, POLLIN, 0},
                          {errorsOpen ? errors : -1, POLLIN, 0},
                          {stop_.Descriptor(), POLLIN, 0}};
      const int ready = ::poll(watched, 3, RemainingMs(deadline_));
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) Fail("poll");
      if (Overdue()) return;
      bool tooMuch = false, dropped = false;
      if (watched[0].revents) outOpen = ReadSome(out, end_.output, limits_.mostOutput, tooMuch);
      if (watched[1].revents)
        errorsOpen = ReadSome(errors, end_.errors, limits_.mostErrors, dropped);
      if (tooMuch) return Kill(TChildEnd::TWay::TooMuchOutput);
    }
  }

  // The child's end; one that closed its outputs but lingers gets what is left of its time.
  TChildEnd Reap() {
    while (!killed_) {
      int status = 0;
      const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
      if (ended == pid_) {
        reaped_ = true;
        return Ended(status);
      }
      if (ended < 0 && errno != EINTR) Fail("waitpid");
      pollfd watched{stop_.Descriptor(), POLLIN, 0};
      const int wait = std::min<int>(RemainingMs(deadline_), kReapEvery.count());
      ::poll(&watched, 1, wait);
      Overdue();
    }
    Wait();
    return end_;
  }

 private:
  // Past the deadline or stopped: the child is killed. Asked after every wake, whatever woke
  // it: a child that never stops writing must not keep its deadline from coming.
  bool Overdue() {
    if (stop_.Raised())
      Kill(TChildEnd::TWay::Stopped);
    else if (TClock::now() >= deadline_)
      Kill(TChildEnd::TWay::PastDeadline);
    return killed_;
  }

  void Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
  }

  void Kill(TChildEnd::TWay way) {
    ::kill(pid_, SIGKILL);
    killed_ = true;
    end_.way = way;
  }

  TChildEnd Ended(int status) {
    if (WIFSIGNALED(status)) {
      end_.way = TChildEnd::TWay::Signalled;
      end_.code = WTERMSIG(status);
    } else {
      end_.way = TChildEnd::TWay::Exited;
      end_.code = WEXITSTATUS(status);
    }
    return end_;
  }

  const pid_t pid_;
  const TChildLimits limits_;
  const TStopSignal& stop_;
  const TClock::time_point deadline_;
  TChildEnd end_;
  bool killed_ = false;
  bool reaped_ = false;
};

}  // namespace

TStopSignal::TStopSignal() : descriptor_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (descriptor_ < 0) Fail("eventfd");
}

TStopSignal::~TStopSignal() {
  ::close(descriptor_);
}

void TStopSignal::Raise() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(descriptor_, &one, sizeof one);
}

bool TStopSignal::Raised() const {
  pollfd watched{descriptor_, POLLIN, 0};
  return ::poll(&watched, 1, 0) > 0;
}

TChildEnd RunChild(const std::string& program, const std::vector<std::string>& args,
                   std::span<const uint8_t> input, const TChildLimits& limits,
                   const TStopSignal& stop) {
  const TFd in = SealedInput(input);
  TPipe out = MakePipe();
  TPipe errors = MakePipe();
  TChild child(Spawn(program, args, in.Get(), out.write.Get(), errors.write.Get()), limits, stop);
  // Only the child holds the writing ends now: its end is the end of both streams.
  out.write.Close();
  errors.write.Close();
  child.Collect(out.read.Get(), errors.read.Get());
  return child.Reap();
}

}  // namespace records
