#pragma once

// Where the world-records page would be named, when no records server is set (UTF-8).
constexpr const char* kNoScoreServerNote =
    "Сервер рекордов не задан: score_server в файле settings";
