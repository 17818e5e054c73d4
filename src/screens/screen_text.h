#pragma once

#include <string>

// A text of the screens, written in the source as it reads (UTF-8), in the code page the
// canvas takes. Each text is converted once and kept, so drawing it every frame costs a
// lookup. The text must live as long as the program (a literal or a static table's line).
const std::string& Cp1251Text(const char* utf8);

// Where the world-records page would be named, when no records server is set.
constexpr const char* kNoScoreServerNote =
    "Сервер рекордов не задан: score_server в файле settings";
