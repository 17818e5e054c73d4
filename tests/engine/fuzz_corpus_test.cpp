#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "engine/dib.h"
#include "engine/engine_error.h"
#include "engine/picture_collection.h"
#include "engine/riff_wave.h"
#include "engine/wave_collection.h"
#include "fuzz_entries.h"

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

TBytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<TBytes> FilesIn(const fs::path& folder) {
  std::vector<TBytes> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(ReadBytes(entry.path()));
  return files;
}

struct TFormat {
  const char* target;
  std::function<void(const TBytes&)> load;  // the strict reader: throws on bad bytes
  void (*fuzzEntry)(const uint8_t*, size_t);
  std::set<std::string> messages;  // what a refusal of a cut-short file may say
};

const std::vector<TFormat>& Formats() {
  static const std::vector<TFormat> formats{
      {"dxg",
       [](const TBytes& b) { engine::TPictureCollection().LoadFromBytes(b); },
       &fuzz::ReadImageList,
       {"Invalid stream format", "DIB is invalid"}},
      {"dxw",
       [](const TBytes& b) { engine::TWaveCollection().LoadFromBytes(b); },
       &fuzz::ReadSoundList,
       {"Invalid stream format", "Wave is invalid"}},
      {"dib",
       [](const TBytes& b) {
         engine::TDIB dib;
         const std::span<const uint8_t> rest(b.data() + 1, b.size() - 1);
         if (b.at(0) & 1)
           dib.LoadFromBmpFile(rest);
         else
           dib.LoadFromDibData(rest);
         if (dib.Empty()) throw engine::EInvalidGraphic("empty");
       },
       &fuzz::ReadDib,
       {"DIB is invalid", "empty"}},
      {"riff",
       [](const TBytes& b) { engine::TWave().LoadFromRiff(b); },
       &fuzz::ReadRiff,
       {"Wave is invalid"}},
  };
  return formats;
}

const fs::path kFuzzDir = PEROLET_FUZZ_DIR;

// The kept seeds are valid files, so the fuzzers start from the formats' real paths.
TEST(FuzzCorpus, EverySeedIsAValidFile) {
  for (const TFormat& format : Formats()) {
    const auto seeds = FilesIn(kFuzzDir / "corpus" / format.target);
    EXPECT_FALSE(seeds.empty()) << format.target;
    for (const TBytes& seed : seeds) EXPECT_NO_THROW(format.load(seed)) << format.target;
  }
}

// Every prefix of every seed is refused with its format's message or read within bounds
// (a picture cut inside its run-length data is still a picture).
TEST(FuzzCorpus, EveryPrefixOfASeedIsRefusedWithTheFormatsMessage) {
  for (const TFormat& format : Formats()) {
    for (const TBytes& seed : FilesIn(kFuzzDir / "corpus" / format.target)) {
      for (size_t length = 1; length < seed.size(); ++length) {
        const TBytes prefix(seed.begin(), seed.begin() + length);
        try {
          format.load(prefix);
        } catch (const engine::EEngineError& e) {
          EXPECT_TRUE(format.messages.count(e.what())) << format.target << " " << e.what();
        }
      }
    }
  }
}

// Inputs the fuzzers once found faults with stay here, with the seeds, as a regression test.
TEST(FuzzCorpus, KeptInputsRunCleanly) {
  for (const TFormat& format : Formats()) {
    for (const char* kind : {"corpus", "regressions"})
      for (const TBytes& input : FilesIn(kFuzzDir / kind / format.target))
        format.fuzzEntry(input.data(), input.size());
  }
}

}  // namespace
