#include "platform/sandbox.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

// The top-level folders a dynamically linked program needs from the system: where they are
// links into /usr (a merged /usr) they become the same links, else they are bound read-only.
void AddSystemFolders(std::vector<std::string>& args) {
  args.insert(args.end(), {"--ro-bind", "/usr", "/usr"});
  for (const char* top : {"/bin", "/sbin", "/lib", "/lib32", "/lib64"}) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(top, error);
    if (error || !std::filesystem::exists(status)) continue;
    if (std::filesystem::is_symlink(status)) {
      args.insert(args.end(),
                  {"--symlink", std::filesystem::read_symlink(top, error).string(), top});
    } else {
      args.insert(args.end(), {"--ro-bind", top, top});
    }
  }
}

}  // namespace

std::vector<std::string> SandboxCommand(const TSandbox& sandbox) {
  // A user namespace of its own in which no further one can be made: an exploited program
  // finds no more of the kernel to try than it must.
  std::vector<std::string> args = {"bwrap",
                                   "--unshare-all",
                                   "--unshare-user",
                                   "--disable-userns",
                                   "--die-with-parent",
                                   "--new-session",
                                   "--cap-drop",
                                   "ALL",
                                   "--clearenv"};
  AddSystemFolders(args);
  for (const std::string& folder : sandbox.readOnlyFolders)
    args.insert(args.end(), {"--ro-bind", folder, folder});
  args.insert(args.end(), {"--ro-bind", sandbox.program, sandbox.program});
  // Its own /dev and root are scratch folders in memory: made read-only, there is nowhere to
  // write, and no memory to take beyond its own limit.
  args.insert(args.end(), {"--dev", "/dev", "--remount-ro", "/dev"});
  if (sandbox.withProc) args.insert(args.end(), {"--proc", "/proc"});
  args.insert(args.end(), {"--remount-ro", "/"});
  for (const auto& [name, value] : sandbox.environment)
    args.insert(args.end(), {"--setenv", name, value});
  if (!sandbox.workingFolder.empty()) args.insert(args.end(), {"--chdir", sandbox.workingFolder});
  args.push_back("--");
  args.push_back(sandbox.program);
  args.insert(args.end(), sandbox.arguments.begin(), sandbox.arguments.end());
  return args;
}

namespace {

bool SetLimit(int resource, rlim_t value, rlim_t hard, const char* what, std::string& why) {
  const rlimit limit{value, hard};
  if (setrlimit(resource, &limit) == 0) return true;
  why = std::string("cannot limit ") + what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

bool ExecInSandbox(const TSandbox& sandbox, std::string& why) {
  const std::vector<std::string> args = SandboxCommand(sandbox);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  why = std::string("cannot start bubblewrap (bwrap): ") + std::strerror(errno);
  return false;
}

bool LimitThisProcess(int cpuSeconds, int megabytes, std::string& why) {
  // SIGXCPU at the soft limit says why it ended; SIGKILL a second later if that is caught.
  const auto seconds = static_cast<rlim_t>(cpuSeconds);
  const rlim_t bytes = static_cast<rlim_t>(megabytes) << 20;
  return SetLimit(RLIMIT_CPU, seconds, seconds + 1, "the processor time", why) &&
         (megabytes == 0 || SetLimit(RLIMIT_AS, bytes, bytes, "the memory", why)) &&
         SetLimit(RLIMIT_CORE, 0, 0, "core files", why);
}

std::string ThisExecutable() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

}  // namespace platform
