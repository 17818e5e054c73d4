#include "app/launch_settings.h"

#include "persist/score_links.h"
#include "platform/mixer.h"

namespace {

template <typename TNamed>
auto Valid(TNamed named) {
  return [named](const std::string& value) { return named(value).has_value(); };
}

}  // namespace

platform::TPresentation ChoosePresentation(persist::TSettingsFile& settings,
                                           const TCommandLine& line) {
  platform::TPresentation p;
  p.scale = *ScaleModeNamed(settings.Setting("scale", "sharp", Valid(ScaleModeNamed)));
  p.windowScale =
      *WindowScaleNamed(settings.Setting("window_scale", "auto", Valid(WindowScaleNamed)));
  p.vsync = *SwitchNamed(settings.Setting("vsync", "on", Valid(SwitchNamed)));
  p.renderer = *RendererNamed(settings.Setting("renderer", "auto", Valid(RendererNamed)));
  p.scale = line.scale.value_or(p.scale);
  p.windowScale = line.windowScale.value_or(p.windowScale);
  p.vsync = line.vsync.value_or(p.vsync);
  p.renderer = line.renderer.value_or(p.renderer);
  return p;
}

TLaunchSettings LoadLaunchSettings(const std::string& saveFolder, const TCommandLine& line,
                                   bool canWrite) {
  persist::TSettingsFile settings = persist::LoadSettingsFile(saveFolder);
  const auto before = settings.Bytes();
  TLaunchSettings launch;
  launch.presentation = ChoosePresentation(settings, line);
  launch.musicVolume = *VolumeNamed(settings.Setting("music_volume", "100", Valid(VolumeNamed)));
  launch.effectsVolume =
      *VolumeNamed(settings.Setting("effects_volume", "100", Valid(VolumeNamed)));
  launch.musicVolume = line.musicVolume.value_or(launch.musicVolume);
  launch.effectsVolume = line.effectsVolume.value_or(launch.effectsVolume);
  launch.scoreServer = persist::ScoreServerSetting(settings);
  if (line.scoreServer) launch.scoreServer = *line.scoreServer;
  if (canWrite && settings.Bytes() != before) persist::SaveSettingsFile(saveFolder, settings);
  return launch;
}

void ApplyVolumes(platform::TPlatform& platform, const TLaunchSettings& launch) {
  platform::TMixer* mixer = platform.Mixer();
  if (!mixer) return;
  constexpr float kPercent = 100.0f;
  mixer->SetMusicVolume(platform::TMixer::kMusicGain * launch.musicVolume / kPercent);
  mixer->SetEffectsVolume(launch.effectsVolume / kPercent);
}
