#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/draw_recorder.h"
#include "screens/records_screen.h"
#include "support/headless_form_fixture.h"
#include "support/screens.h"
#include "text/cp1251.h"

namespace {

// The texts of one frame that leave ink, row by row of the records table: each under the row
// whose middle is nearest the middle of its ink.
struct TTableRows : engine::TDrawRecorder {
  static constexpr int kFirstRowY = 290;
  static constexpr int kRowStep = 26;
  std::map<int, std::vector<std::string>> rows;  // row 1..10 -> texts, UTF-8

  void TextDrawn(const std::string& cp1251, const engine::TRect& ink) override {
    if (ink.Bottom <= ink.Top) return;
    const int middle = (ink.Top + ink.Bottom) / 2;
    const int row = 1 + (middle - kFirstRowY + kRowStep / 2) / kRowStep;
    if (middle >= kFirstRowY - kRowStep / 2 && row <= 10)
      rows[row].push_back(text::Utf8FromCp1251(cp1251));
  }
  void PictureDrawn(const std::string&, const engine::TRect&, const engine::TRect&) override {}
};

using RecordsTable = test_support::THeadlessFormFixture;

// An entry with an empty name shows its rank and its score and nothing between them; the
// rows around it are whole.
TEST_F(RecordsTable, AnEntryWithAnEmptyNameShowsOnlyItsRankAndScore) {
  form->HighScores[4].Name.clear();
  test_support::ShowScreen<TRecordsScreen>(*form);
  TTableRows drawn;
  form->MDXDraw.Surface().Recorder = &drawn;
  Frame();
  form->MDXDraw.Surface().Recorder = nullptr;
  EXPECT_EQ(drawn.rows[3], (std::vector<std::string>{"3", "Гоша", "4000"}));
  EXPECT_EQ(drawn.rows[4], (std::vector<std::string>{"4", "3500"}));
  EXPECT_EQ(drawn.rows[5], (std::vector<std::string>{"5", "Гоша", "3000"}));
}

}  // namespace
