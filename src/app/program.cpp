#include "app/program.h"

#include <exception>

#include "platform/links.h"
#include "platform/platform.h"
#include "platform/recording_platform.h"

namespace {

constexpr const char* kPlayLink = "play.url";
// While the game is inactive its timer stands still; the loop only waits for events.
constexpr int kInactiveWaitMs = 50;

void RunMessageLoop(TMForm& form) {
  while (!form.Terminated()) {
    form.ProcessEvents();
    if (form.Terminated()) break;
    if (!form.RunIdle()) form.Platform().WaitEvent(kInactiveWaitMs);
  }
}

}  // namespace

int RunProgram(platform::TPlatform& platform, const TFormConfig& config) {
  try {
    // Every game is recorded at the platform's seam, as the player played it.
    platform::TRecordingPlatform recorder(platform);
    TMForm form(recorder, config);
    form.RecordGamesWith(recorder);
    form.FormCreate();
    RunMessageLoop(form);
    if (form.FatalError()) {
      platform.ShowError(kGameTitle, *form.FatalError());
      return 1;
    }
    // On Windows a launcher program ("fscommand/gshell.exe") is started here as well; it
    // cannot run on this system, so it is skipped.
    if (platform.FileExists(kPlayLink)) platform::OpenLink(platform, kPlayLink);
    return 0;
  } catch (const std::exception& error) {
    platform.ShowError(kGameTitle, error.what());
    return 1;
  }
}
