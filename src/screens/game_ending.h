#pragma once

class TScreenHost;

// How a game is left, from the windows that end it.

// A score for the table leads to the name entry, any other back to the main menu.
void LeaveGameByScore(TScreenHost& host);
// Escape in the name entry leaves the game as Escape in the game does: for the main menu, and
// the table as it was.
void LeaveGameUnnamed(TScreenHost& host);
// The name entered (and the result sent or not): the records screen, the new entry marked.
void LeaveGameForHighScores(TScreenHost& host, int newEntryRow);
