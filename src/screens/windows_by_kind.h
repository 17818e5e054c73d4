#pragma once

#include <memory>

class TScreen;
class TScreenHost;

// A window by its kind (objects/window_kinds.h), as the running game and a close request open
// them: the game its level banner, its end, the question to leave it and the pause. Null for
// a kind there is none of.
std::unique_ptr<TScreen> MakeWindow(TScreenHost& host, int kind);
