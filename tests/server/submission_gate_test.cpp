#include <gtest/gtest.h>

#include <stdexcept>

#include "records_service.h"
#include "score/score_record.h"
#include "sqlite_store.h"
#include "support/temp_dir.h"

namespace {

using records::TVerdict;

// A gate that answers as told and notes how each claim was settled.
class TScriptedGate : public records::TSubmissionGate {
 public:
  bool fails = false;
  TVerdict verdict = TVerdict::Store;
  bool storedFails = false;
  int stored = 0;
  int forgotten = 0;

  TVerdict Admit(const std::string&, const std::string&, int64_t) override {
    if (fails) throw std::runtime_error("the database is gone");
    return verdict;
  }
  void Stored(const std::string&, const std::string&, int64_t) override {
    ++stored;
    if (storedFails) throw std::runtime_error("the database is gone");
  }
  void Forget(const std::string&, const std::string&) override {
    ++forgotten;
    throw std::runtime_error("the database is gone");
  }
};

// The real store, whose writes fail when told to.
class TFailingStore : public records::TSqliteStore {
 public:
  using TSqliteStore::TSqliteStore;
  bool fails = false;

  void Add(const records::TStoredRecord& record) override {
    if (fails) throw std::runtime_error("the disk is full");
    TSqliteStore::Add(record);
  }
};

// A submission is answered 200 only when its record is in the table (or was, as a repeat),
// and a claim that could not be stored is taken back.
TEST(SubmissionGate, TheServiceAnswersWhatTheGateAndTheStoreCanVouchFor) {
  struct TCase {
    const char* what;
    bool gateFails;
    TVerdict verdict;
    bool storeFails;
    bool storedFails;
    int status;  // 0: the store's failure reaches the HTTP layer, which answers 503
    int64_t added;
    int settledStored;
    int forgotten;
  };
  const TCase cases[] = {
      {"the gate cannot decide", true, TVerdict::Store, false, false, 503, 0, 0, 0},
      {"another server is storing it", false, TVerdict::Storing, false, false, 503, 0, 0, 0},
      {"over the rate", false, TVerdict::TooMany, false, false, 429, 0, 0, 0},
      {"a repeat", false, TVerdict::Duplicate, false, false, 200, 0, 0, 0},
      {"taken", false, TVerdict::Store, false, false, 200, 1, 1, 0},
      {"taken, its claim not settled", false, TVerdict::Store, false, true, 200, 1, 1, 0},
      {"the store fails", false, TVerdict::Store, true, false, 0, 0, 0, 1},
  };
  const std::string submission = "/cgi/version.pl?hs&prg=Featherstrike&inf=" +
                                 score::EncodeScoreRecord(score::BuildScoreRecord("A", 5, "RU"));
  for (const TCase& c : cases) {
    TScriptedGate gate;
    gate.fails = c.gateFails;
    gate.verdict = c.verdict;
    gate.storedFails = c.storedFails;
    test_support::TTempWorkDir dir;
    TFailingStore store((dir.Path() / "r.sqlite").string());
    store.fails = c.storeFails;
    records::TRecordsService service(store, gate, records::TServiceLimits{});
    int status = 0;
    try {
      status = service.Handle("GET", submission, "192.0.2.1", 0).status;
    } catch (const std::exception&) {
    }
    EXPECT_EQ(status, c.status) << c.what;
    EXPECT_EQ(store.Count(), c.added) << c.what;
    EXPECT_EQ(gate.stored, c.settledStored) << c.what;
    EXPECT_EQ(gate.forgotten, c.forgotten) << c.what;
  }
}

}  // namespace
