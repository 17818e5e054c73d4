#include "app/form.h"

// The per-frame steps of the menu screens. Each screen fills its own as it is built; until
// then a frame of that screen only clears, reads input and presents.
void TMForm::UpdateHighScores(int) {}
void TMForm::UpdateHelp(int) {}
