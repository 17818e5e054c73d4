#pragma once

#include <string>

namespace records {

// Code page 1251 to UTF-8 by the game's own table (text/cp1251.h), except that control bytes
// and the one byte the code page leaves undefined (0x98) become U+FFFD: a name is shown on a
// page and stored in databases that refuse NUL.
std::string Utf8FromCp1251(const std::string& bytes);

}  // namespace records
