#include "admin_command.h"

#include <ctime>
#include <limits>
#include <optional>
#include <stdexcept>

#include "records_admin.h"
#include "server_options.h"

namespace records {

const char* const kAdminUsage =
    "usage: perolet-records admin [--db FILE|postgresql://…] COMMAND\n"
    "  list [--limit N]       the newest records first (default 50), one a line, tab-separated:\n"
    "                         id, name, country, score, time (UTC), shown or hidden, state\n"
    "                         (unverified, checking, verified, refused, unchecked), detail\n"
    "  find NAME [--limit N]  the same for the names that begin with NAME, as typed\n"
    "  refused [--limit N]    the records whose replay played to something else, the newest\n"
    "                         first, with the reason (hidden, kept with their replay)\n"
    "  hide ID                keeps the record but shows it nowhere, nor as anyone's best\n"
    "  unhide ID              shows it again\n"
    "  ban name NAME          refuses later records under this name, exactly as written\n"
    "  ban prefix ADDR/LEN    refuses later records from this IPv4 or IPv6 network\n"
    "  unban name NAME, unban prefix ADDR/LEN\n"
    "  bans                   lists the bans\n"
    "  backup FILE            copies an SQLite database into FILE while servers run on it\n"
    "                         (PostgreSQL: pg_dump)\n"
    "  --db DATABASE          the server's --db (default records.sqlite; the file must exist)\n"
    "A name that begins with - goes after --.\n";

namespace {

constexpr const char* kDefaultDatabase = "records.sqlite";
constexpr int64_t kDefaultLimit = 50;
constexpr int64_t kLargestLimit = 1'000'000;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

enum class TAction { List, Find, Refused, Hide, Unhide, Ban, Unban, Bans, Backup };

// A command line read and checked, before any database is opened.
struct TAdminRequest {
  std::string database = kDefaultDatabase;
  bool help = false;
  TAction action = TAction::List;
  int64_t limit = kDefaultLimit;
  int64_t id = 0;
  std::string text;  // the name, the name's beginning, the network as written back, the file
  TBanKind kind = TBanKind::Name;
  std::optional<TAddressRange> network;
};

// "name NAME" or "prefix ADDR/LEN" after ban and unban.
void ReadBan(const std::vector<std::string>& words, TAdminRequest& request) {
  if (words[1] == "name") {
    if (!BannableName(words[2]))
      throw std::invalid_argument("a name from the game is 1 to 12 characters, not \"" + words[2] +
                                  "\"");
    request.kind = TBanKind::Name;
    request.text = words[2];
  } else if (words[1] == "prefix") {
    request.network = ParseAddressRange(words[2]);
    if (!request.network)
      throw std::invalid_argument(
          "a prefix is ADDR/LEN, IPv4 up to /32 or IPv6 up to /128, not \"" + words[2] + "\"");
    request.kind = TBanKind::Prefix;
    request.text = request.network->text;
  } else {
    throw std::invalid_argument(words[0] + " takes name NAME or prefix ADDR/LEN");
  }
}

void ReadCommand(const std::vector<std::string>& words, TAdminRequest& request) {
  struct TCommand {
    const char* word;
    TAction action;
    size_t arguments;
  };
  static constexpr TCommand kCommands[] = {
      {"list", TAction::List, 0},       {"find", TAction::Find, 1},
      {"hide", TAction::Hide, 1},       {"unhide", TAction::Unhide, 1},
      {"ban", TAction::Ban, 2},         {"unban", TAction::Unban, 2},
      {"bans", TAction::Bans, 0},       {"backup", TAction::Backup, 1},
      {"refused", TAction::Refused, 0},
  };
  if (words.empty()) throw std::invalid_argument("no command");
  for (const TCommand& command : kCommands) {
    if (words[0] != command.word) continue;
    if (words.size() != command.arguments + 1)
      throw std::invalid_argument(words[0] + " takes " + std::to_string(command.arguments) +
                                  (command.arguments == 1 ? " argument" : " arguments"));
    request.action = command.action;
    if (command.action == TAction::Hide || command.action == TAction::Unhide) {
      request.id = WholeArgument(words[0], words[1], 1, std::numeric_limits<int64_t>::max());
    } else if (command.action == TAction::Ban || command.action == TAction::Unban) {
      ReadBan(words, request);
    } else if (command.arguments == 1) {
      request.text = words[1];
    }
    return;
  }
  throw std::invalid_argument("unknown command \"" + words[0] + "\"");
}

TAdminRequest ReadAdminRequest(const std::vector<std::string>& args) {
  TAdminRequest request;
  std::vector<std::string> words;
  bool options = true;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      request.help = true;
    } else if (options && (arg == "--db" || arg == "--limit")) {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--limit") request.limit = WholeArgument(arg, value, 1, kLargestLimit);
      if (arg == "--db" && value.empty()) throw std::invalid_argument("--db needs a file or a URL");
      if (arg == "--db") request.database = value;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      throw std::invalid_argument("unknown option \"" + arg + "\"");
    } else {
      words.push_back(arg);
    }
  }
  if (!request.help) ReadCommand(words, request);
  return request;
}

// Text from the database as a terminal shows it harmlessly: control characters (C0, DEL, C1)
// and the backslash escaped, everything else as it is.
std::string Escaped(const std::string& text) {
  static const char* kHex = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      out += std::string("\\u00") + kHex[next >> 4] + kHex[next & 15];
      ++i;
    } else if (byte < 0x20 || byte == 0x7F) {
      out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    } else if (byte == '\\') {
      out += "\\\\";
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

std::string UtcTime(int64_t seconds) {
  const auto t = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (!gmtime_r(&t, &parts)) return "?";
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &parts);
  return buffer;
}

// The columns every listing of records begins with.
void PrintRecord(const TStoredRecord& r, std::ostream& out) {
  out << r.id << '\t' << Escaped(r.name) << '\t' << Escaped(r.country) << '\t' << r.score << '\t'
      << UtcTime(r.time);
}

// The detail (an unchecked replay's version, a refusal's reason) comes from a stranger's
// replay: escaped as the names are.
void PrintRecords(const std::vector<TAdminRecord>& records, std::ostream& out) {
  out << "id\tname\tcountry\tscore\ttime (UTC)\tvisibility\tstate\tdetail\n";
  for (const TAdminRecord& row : records) {
    PrintRecord(row.record, out);
    out << '\t' << (row.hidden ? "hidden" : "shown") << '\t' << StateName(row.record.state) << '\t'
        << Escaped(row.record.stateDetail) << '\n';
  }
}

void PrintRefused(const std::vector<TAdminRecord>& records, std::ostream& out) {
  out << "id\tname\tcountry\tscore\ttime (UTC)\treason\n";
  for (const TAdminRecord& row : records) {
    PrintRecord(row.record, out);
    out << '\t' << Escaped(row.record.stateDetail) << '\n';
  }
}

void PrintBans(const std::vector<TBan>& bans, std::ostream& out) {
  out << "kind\tvalue\tsince (UTC)\n";
  for (const TBan& ban : bans)
    out << (ban.kind == TBanKind::Name ? "name" : "prefix") << '\t' << Escaped(ban.value) << '\t'
        << UtcTime(ban.since) << '\n';
}

// The line for a change: what was done, or why nothing was, and the exit status.
int Report(TChange change, const std::string& what, const char* done, const char* already,
           std::ostream& out, std::ostream& err) {
  switch (change) {
    case TChange::Done:
      out << what << ' ' << done << '\n';
      return 0;
    case TChange::Already:
      out << what << ' ' << already << '\n';
      return 0;
    case TChange::Missing:
      err << "perolet-records admin: no " << what << '\n';
      return kExitFailed;
  }
  return kExitFailed;
}

int Execute(const TAdminRequest& request, TRecordsAdmin& admin, std::ostream& out,
            std::ostream& err, int64_t nowSeconds) {
  const std::string record = "record " + std::to_string(request.id);
  const std::string ban =
      (request.kind == TBanKind::Name ? "ban of the name " : "ban of the prefix ") +
      Escaped(request.text);
  switch (request.action) {
    case TAction::List:
      PrintRecords(admin.Latest(request.limit), out);
      return 0;
    case TAction::Find:
      PrintRecords(admin.Find(request.text, request.limit), out);
      return 0;
    case TAction::Refused:
      PrintRefused(admin.Refused(request.limit), out);
      return 0;
    case TAction::Hide:
      return Report(admin.SetHidden(request.id, true), record, "hidden", "was hidden already", out,
                    err);
    case TAction::Unhide:
      return Report(admin.SetHidden(request.id, false), record, "shown", "was shown already", out,
                    err);
    case TAction::Ban:
      return Report(request.network ? admin.BanNetwork(*request.network, nowSeconds)
                                    : admin.BanName(request.text, nowSeconds),
                    ban, "made", "was there already", out, err);
    case TAction::Unban:
      return Report(admin.Unban(request.kind, request.text), ban, "lifted", "", out, err);
    case TAction::Bans:
      PrintBans(admin.Bans(), out);
      return 0;
    case TAction::Backup:
      admin.Backup(request.text);
      out << "backed up into " << request.text << '\n';
      return 0;
  }
  return kExitFailed;
}

}  // namespace

int RunAdminCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    int64_t nowSeconds) {
  TAdminRequest request;
  try {
    request = ReadAdminRequest(args);
  } catch (const std::invalid_argument& error) {
    err << "perolet-records admin: " << error.what() << '\n' << kAdminUsage;
    return kExitUsage;
  }
  if (request.help) {
    out << kAdminUsage;
    return 0;
  }
  try {
    TRecordsAdmin admin = OpenRecordsAdmin(request.database);
    return Execute(request, admin, out, err, nowSeconds);
  } catch (const std::exception& error) {
    err << "perolet-records admin: " << error.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace records
