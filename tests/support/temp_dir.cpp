#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace test_support {

TTempWorkDir::TTempWorkDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "perolet-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
  path_ = pattern;
  std::filesystem::current_path(path_);
}

TTempWorkDir::~TTempWorkDir() {
  std::error_code error;
  std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(path_, error);
}

void TTempWorkDir::Write(const std::string& relative, const std::string& content) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << content;
}

}  // namespace test_support

namespace test_support {

void TTempWorkDir::LinkGameResources() const {
  std::filesystem::create_directories(path_ / "Data");
  std::filesystem::create_directory_symlink(std::filesystem::path(PEROLET_GAME_DATA_DIR) / "Res",
                                            path_ / "Data" / "Res");
}

}  // namespace test_support
