#include "app/form.h"

// The orderly exit. Writing the options and the high-score table joins here with the save
// files.
void TMForm::SaveAndExit() {
  Terminate();
}
