#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "record_store.h"

namespace records {

// The SQL both stores share, written once with each dialect's few differences.
enum class TSqlDialect { Sqlite, Postgres };

struct TSqlQuery {
  std::string text;
  // The values of ?1, ?2… (SQLite) or $1, $2… (PostgreSQL), in order.
  std::vector<std::variant<int64_t, std::string>> params;
};

// A table of each player's best game kept beside the games as they come and go, so that a
// page of players costs what a page of games does: of all time or of each week (Monday 00:00
// UTC, as WeekStart), of every game shown or only of the verified ones.
struct TKeptBests {
  const char* table;
  bool weekly;
  bool verified;
};
constexpr TKeptBests kPlayers{"players", false, false};
constexpr TKeptBests kPlayersWeek{"players_week", true, false};
constexpr TKeptBests kVerifiedPlayers{"verified_players", false, true};
constexpr TKeptBests kVerifiedPlayersWeek{"verified_players_week", true, true};

// The table and its index, made when missing.
std::string BestsTableSql(const TKeptBests& bests, TSqlDialect dialect);
// The table filled from the games, for a database written before it was kept.
std::string FillBestsSql(const TKeptBests& bests);

// The number of games shown (records_total) and of those verified (verified_total), kept
// beside the players: the table, and its fill for an older database.
std::string CountTableSql(bool verified, TSqlDialect dialect);
std::string FillCountSql(bool verified);

// What a trigger runs, the same on both stores, when a game comes into view (NEW: added or
// shown again; with verified, a shown game verified) or leaves it (OLD: deleted or hidden, or
// no longer a verified one shown): the count, and the player's best of all time and of the
// game's week, which a game leaving hands to the player's best left.
std::string GameShownSql(bool verified);
std::string GameGoneSql(bool verified);

// Whether the row (NEW or OLD) is a verified game that is shown: in the verified views.
std::string InVerifiedViews(const char* row);

// The columns records gained for proofs, for an older database: each a column and its type
// and default, to add when missing.
struct TAddedColumn {
  const char* name;
  const char* definition;
};
constexpr TAddedColumn kProofColumns[] = {
    {"state", "SMALLINT NOT NULL DEFAULT 0"},
    {"state_detail", "TEXT NOT NULL DEFAULT ''"},
    {"submitter", "TEXT NOT NULL DEFAULT ''"},
};

// The indexes proofs need: the record a replay is for, the records waiting for their check,
// the verified games in the table's order, and the refused ones for the operator. Each
// holds only the rows in its state, so the others cost nothing.
extern const char* const kProofIndexes;

// The statements of the replays' life, with SQLite's ?1, ?2… (PostgreSQL's store numbers
// them $1, $2…: PostgresParams). Attaching is one statement, so two uploads of one game
// cannot both take its record: ?1 name, ?2 country, ?3 score, ?4 the submitter, ?5 the
// earliest time the record may have been sent; gives the record's id.
extern const char* const kAttachReplay;
// ?1 id, ?2 the replay's bytes, ?3 when it came, ?4 its ReplayHash.
extern const char* const kStoreReplay;
// ?1 a ReplayHash: a row when a replay of those bytes is kept.
extern const char* const kReplayKept;
// Each replay's bytes are kept once, for one record: the column that says which, and its
// unique index. An older database's replays have none (NULL), and NULLs never clash.
constexpr TAddedColumn kReplayHashColumn{"sha256", "TEXT"};
extern const char* const kReplayHashIndex;
// SHA-256 of the replay's bytes, as hex.
std::string ReplayHash(const std::vector<uint8_t>& replay);
// ?1 id: name, country, score, submitted, id, state, state_detail and the replay.
extern const char* const kPendingReplay;
// ?1 the most ids, the oldest first.
extern const char* const kPendingReplayIds;
// ?1 id: the replay, when its game is verified and shown.
extern const char* const kVerifiedReplay;
// ?1 the state's number, ?2 the detail, ?3 id; only a record still being checked changes,
// and a refused one is hidden too, so the triggers take it out of every view.
std::string SetVerdictSql(TRecordState state);
// ?1 → $1 and so on, for PostgreSQL.
std::string PostgresParams(std::string sql);

// A state as stored; a number no server wrote is taken for no proof at all.
TRecordState StoredState(int64_t number);

// name, country, score, submitted, id, state, state_detail of one page, best first unless
// request.before is set (then worst first: the store turns them round).
TSqlQuery PageQuery(const TPageRequest& request, TSqlDialect dialect);

// The end of the range of names that begin with prefix: above any name that does, in byte
// order, below any that does not.
std::string PrefixEnd(const std::string& prefix);

}  // namespace records
