#include "persist/save_files.h"

#include <optional>

#include "engine/engine_error.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace persist {

namespace {

constexpr const char* kOptionsFile = "options";
constexpr const char* kHighScoreFile = "hs";
constexpr const char* kDamagedSuffix = ".damaged";
constexpr const char* kReplacedTable = "hs.replaced";
// Ten names and scores, or seven settings, take a few hundred bytes; a file far larger is
// not one the game wrote.
constexpr size_t kLargestSaveFile = 64 * 1024;

// The game writes printable text and line ends only; other control bytes mean damage.
bool HasForeignBytes(const std::vector<uint8_t>& bytes) {
  for (uint8_t b : bytes)
    if (b < ' ' && b != '\r' && b != '\n' && b != '\t' && b != 0x1A) return true;
  return false;
}

// One save file's reading: the bytes go to `parse`, which may raise EInOutError. A missing
// file gives nullopt; a file that cannot be read or parsed is set aside and also gives
// nullopt, with a note for the player.
template <typename TParse>
std::optional<std::vector<uint8_t>> ReadOrSetAside(const std::string& folder, const char* name,
                                                   TParse parse, std::vector<TSetAside>& setAside) {
  const std::string path = platform::InFolder(folder, name);
  const platform::TPathKind kind = platform::PathKind(path);
  if (kind == platform::TPathKind::Missing) return std::nullopt;
  std::vector<uint8_t> bytes;
  std::string why;
  bool readable = kind == platform::TPathKind::File && platform::ReadWholeFile(path, bytes, why) &&
                  bytes.size() <= kLargestSaveFile && !HasForeignBytes(bytes);
  if (readable) {
    try {
      parse(bytes);
      return bytes;
    } catch (const engine::EInOutError&) {
      readable = false;
    }
  }
  const std::string aside = path + kDamagedSuffix;
  const bool moved = platform::SetAside(path, aside) == 0;
  setAside.push_back({name, moved ? platform::AbsolutePath(aside) : std::string(),
                      platform::AbsolutePath(path), std::string()});
  return std::nullopt;
}

}  // namespace

std::vector<TSetAside> LoadSaveFiles(const std::string& folder, TSettingsRef settings,
                                     THighScoreTable& table) {
  FinishInterruptedCommit(folder, {kOptionsFile, kHighScoreFile});
  std::vector<TSetAside> setAside;
  // Each file is read into a scratch copy first, so a file that fails half-way leaves nothing
  // of itself behind.
  const auto tableBytes = ReadOrSetAside(
      folder, kHighScoreFile,
      [&table](const std::vector<uint8_t>& bytes) {
        THighScoreTable read = table;
        ReadHighScores(read, bytes);
        table = read;
      },
      setAside);
  if (!tableBytes) DefaultHighScores(table);
  const auto optionsBytes = ReadOrSetAside(
      folder, kOptionsFile,
      [&settings](const std::vector<uint8_t>& bytes) {
        TGameOptions options = settings.options;
        uint8_t shift = settings.bossShift;
        uint16_t key = settings.bossKey;
        std::string check = settings.highScoreCheck;
        ReadOptions({options, shift, key, check}, bytes);
        settings.options = options;
        settings.bossShift = shift;
        settings.bossKey = key;
        settings.highScoreCheck = check;
      },
      setAside);
  if (!optionsBytes) DefaultOptions(settings);
  if (settings.highScoreCheck != HighScoreChecksum(table)) {
    // The table is given up as the game always did; its file is kept for the player. Options
    // set aside take the table they vouched for with them, and the player is told of both.
    std::string why;
    const std::string kept = platform::InFolder(folder, kReplacedTable);
    if (tableBytes && platform::WriteWholeFile(kept, *tableBytes, why) && !optionsBytes) {
      for (TSetAside& s : setAside)
        if (s.file == kOptionsFile) s.tableKeptPath = platform::AbsolutePath(kept);
    }
    DefaultHighScores(table);
  }
  return setAside;
}

void WriteSaveFiles(const std::string& folder, const TSettingsRef& settings,
                    const THighScoreTable& table, const TCommitStep& afterStep) {
  CommitSaveFiles(folder,
                  {{kOptionsFile, OptionsFileBytes(settings, HighScoreChecksum(table))},
                   {kHighScoreFile, HighScoreFileBytes(table)}},
                  afterStep);
}

std::string SetAsideNotice(const TSetAside& s) {
  const std::string what = s.file == kHighScoreFile ? "Файл рекордов" : "Файл настроек";
  std::string notice = s.asidePath.empty()
                           ? what + " не читается и не может быть отложен: " + s.path
                           : what + " повреждён и отложен в сторону: " + s.asidePath;
  if (!s.tableKeptPath.empty()) {
    // The checksum of the table lived in the options: without them the table cannot be trusted.
    return notice + "\nТаблица рекордов, которую он заверял, тоже отложена: " + s.tableKeptPath +
           "\nИгра начата с настройками и таблицей рекордов по умолчанию.";
  }
  return notice + "\n" +
         (s.file == kHighScoreFile ? "Игра начата с таблицей рекордов по умолчанию."
                                   : "Игра начата с настройками по умолчанию.");
}

}  // namespace persist
