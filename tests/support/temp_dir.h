#pragma once

#include <filesystem>
#include <string>

namespace test_support {

// A fresh directory that is made the working directory for the test's life and removed
// afterwards; the game names its files relative to the working directory.
class TTempWorkDir {
 public:
  TTempWorkDir();
  ~TTempWorkDir();
  TTempWorkDir(const TTempWorkDir&) = delete;
  TTempWorkDir& operator=(const TTempWorkDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& relative, const std::string& content) const;
  // Data/Res: the game's pictures and sounds as the build made them, which the form loads at
  // start-up (Data/Music and Data/Save stay the test's own).
  void LinkGameResources() const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace test_support
