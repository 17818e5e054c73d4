#include "platform/data_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr const char* kResources = "Data/Res";
constexpr const char* kInstalledData = "../share/perolet";
constexpr const char* kPortableSave = "Data/Save";

std::string Join(const std::string& a, const std::string& b) {
  return (fs::path(a) / b).string();
}

std::optional<std::string> Absolute(const std::optional<std::string>& path) {
  if (!path || path->empty() || (*path)[0] != '/') return std::nullopt;
  return path;
}

}  // namespace

std::optional<std::string> FindDataRoot(const TLocationFacts& facts) {
  if (facts.isDir(Join(facts.executableDir, kResources))) return facts.executableDir;
  const std::string installed =
      fs::path(Join(facts.executableDir, kInstalledData)).lexically_normal().string();
  if (facts.isDir(Join(installed, kResources))) return installed;
  return std::nullopt;
}

std::string SaveFolder(const std::string& dataRoot, const TLocationFacts& facts) {
  const std::string portable = Join(dataRoot, kPortableSave);
  const bool portableWorks =
      facts.isDir(portable) ? facts.writable(portable) : facts.writable(Join(dataRoot, "Data"));
  if (portableWorks) return kPortableSave;
  if (const auto xdg = Absolute(facts.xdgDataHome)) return Join(Join(*xdg, "perolet"), "Save");
  if (const auto home = Absolute(facts.home))
    return Join(Join(*home, ".local/share/perolet"), "Save");
  return kPortableSave;  // nowhere better: try beside the data and report what fails
}

TLocationFacts CurrentLocationFacts() {
  TLocationFacts facts;
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  facts.executableDir = error ? fs::current_path().string() : exe.parent_path().string();
  facts.isDir = [](const std::string& path) {
    std::error_code e;
    return fs::is_directory(path, e);
  };
  facts.writable = [](const std::string& path) { return ::access(path.c_str(), W_OK) == 0; };
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) facts.xdgDataHome = xdg;
  if (const char* home = std::getenv("HOME")) facts.home = home;
  return facts;
}

bool ChangeDirectory(const std::string& folder) {
  return ::chdir(folder.c_str()) == 0;
}

}  // namespace platform
