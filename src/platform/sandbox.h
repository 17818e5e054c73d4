#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

// A program started in a sandbox of its own: it sees the system's libraries (/usr), the
// folders given, read-only, and nothing else of the file system (nowhere to write either); it has
// no network, no other processes to see and no capabilities, and it dies with its parent.
struct TSandbox {
  std::string program;                       // an absolute path, bound read-only where it is
  std::vector<std::string> readOnlyFolders;  // absolute paths, bound where they are
  std::string workingFolder;                 // one of them, or empty for /
  std::vector<std::string> arguments;        // after the program's name
  // Its environment is empty but for these.
  std::vector<std::pair<std::string, std::string>> environment = {};
  // Its own /proc, of its own processes: a sanitised build's runtime reads its memory map there.
  bool withProc = false;
};

// The command that starts the sandboxed program, bubblewrap's first.
std::vector<std::string> SandboxCommand(const TSandbox& sandbox);

// Replaces this process with the sandboxed program (by bubblewrap, found on PATH). Returns
// only when that could not be done, false with the reason in why; standard input, output and
// error go through unchanged.
bool ExecInSandbox(const TSandbox& sandbox, std::string& why);

// This process may use at most cpuSeconds of processor time (killed beyond it) and megabytes
// of address space (0: any), and leaves no core file. False with the reason when a limit could not
// be set.
bool LimitThisProcess(int cpuSeconds, int megabytes, std::string& why);

// The absolute path of the running program.
std::string ThisExecutable();

}  // namespace platform
