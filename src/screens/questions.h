#pragma once

#include <functional>
#include <memory>

class TScreen;
class TScreenHost;

// The four questions with Yes and No, each an instance of the one question window with its
// wording and its answers.

// Leaving the program: its Yes saves, lets the sky go and leaves the screen.
std::unique_ptr<TScreen> MakeQuitGameQuestion(TScreenHost& host);
// Leaving a game for the main menu, by way of the table when the score earns a place.
std::unique_ptr<TScreen> MakeQuitToMenuQuestion(TScreenHost& host);
// The table back to its defaults (the file is written only at the exit); then `cleared`,
// when given.
std::unique_ptr<TScreen> MakeClearRecordsQuestion(TScreenHost& host, std::function<void()> cleared);
// The result sent to the world records, or not; the records screen follows either way and
// marks the row just entered.
std::unique_ptr<TScreen> MakeSendScoreQuestion(TScreenHost& host, int newEntryRow);
