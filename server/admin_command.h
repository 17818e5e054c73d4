#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace records {

extern const char* const kAdminUsage;

// perolet-records admin [--db DATABASE] COMMAND …: the operator's commands on the database a
// server uses (args are those after "admin"). What the database holds is printed with every
// control character escaped, as names come from strangers. nowSeconds dates a new ban.
// Returns the exit status: 0 done, 1 failed (said on err), 2 a command not understood.
int RunAdminCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    int64_t nowSeconds);

}  // namespace records
