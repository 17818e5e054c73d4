#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/error_guard.h"
#include "app/form_screen_host.h"
#include "engine/dx_draw.h"
#include "engine/dx_form.h"
#include "engine/dx_image_list.h"
#include "engine/dx_input.h"
#include "engine/dx_sound.h"
#include "engine/dx_timer.h"
#include "engine/dx_wave_list.h"
#include "engine/sprite_engine.h"
#include "gameplay/game.h"
#include "persist/game_options.h"
#include "persist/high_scores.h"
#include "persist/options_file.h"
#include "persist/replay_file.h"
#include "platform/events.h"
#include "platform/music_library.h"
#include "screens/controls.h"
#include "screens/menu_list.h"
#include "screens/screen_stack.h"
#include "screens/screen_text.h"
#include "screens/screen_types.h"

namespace engine {
class TByteReader;
}
namespace platform {
class TRecordingPlatform;
}

class TMyCursor;
class TMyImageSprite;
class TScrollBackground;

// How a run is set up from outside: the simulator fixes the random seed and may start games
// at a later level; the player's settings file or command line, the simulator or a test
// point the score requests and the world-records page at a records server (none when empty).
struct TFormConfig {
  std::optional<uint32_t> seed;
  std::string scoreUrl;
  // Where the options and high-score files go, relative to the working directory or absolute.
  std::string saveFolder = "Data/Save";
  // The level every new game starts at: 1 for a player; the simulator can start further on.
  int firstLevel = 1;
  // Full screen or a window for this start, over the options file (--fullscreen, --window).
  std::optional<bool> fullScreen{};
  // The run plays a replay back: no save file is read or written and no game is recorded.
  bool replaying = false;
};

// The main form: owns every component of the program, the running game, the settings and the
// table, the sky, the music and the stack of screens. It answers the screens as their host
// (app/form_screen_host.h) and the game as its shell (its screen, windows, sounds and keys).
// Subsystems define their member functions in their own files.
class TMForm : public engine::TDXForm, public gameplay::TGameShell {
 public:
  TMForm(platform::TPlatform& platform, TFormConfig config = {});
  ~TMForm() override;
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;

  // Components, in creation order.
  engine::TDXDraw MDXDraw;
  engine::TDXImageList MDXImageList1{&MDXDraw};
  engine::TDXImageList MDXImageList2{&MDXDraw};
  engine::TDXInput MDXInput;
  engine::TDXSpriteEngine MDXSpriteEngine{&MDXDraw};
  engine::TDXTimer MDXTimer;
  // Attached to the sound device once both exist (the device is made after the list).
  engine::TDXWaveList MDXWaveList;
  engine::TDXSound MDXSound{this};

  // The running game. It is also the world every sprite of the program is made in, the menus'
  // buttons and the sky as much as the game's own objects: they all ask it for the frame's
  // timing, the image lists and the surface.
  gameplay::TGame Game{*this, {MDXSpriteEngine, MDXImageList1, MDXImageList2, MDXDraw, Platform()}};

  // The screen and the window over it, and what a screen asks of the program.
  TScreenStack& Screens() { return screens_; }
  const TScreenStack& Screens() const { return screens_; }
  TScreenHost& Host() { return host_; }
  // Which screen and window stand, and the selection, as the trace records them.
  uint8_t ScreenType() const { return screens_.ScreenType(); }
  uint8_t WindowOpen() const { return screens_.WindowOpen(); }
  int MenuItem() const { return screens_.MenuItem(); }
  bool MusicPending = false;
  int RefreshRate = 0;

  // Settings.
  persist::TGameOptions Options;
  uint8_t BossShift = 0;
  uint16_t BossKey = 0;
  std::string HighScoreCheck;
  persist::THighScoreTable HighScores;
  persist::TSettingsRef Settings();

  // The player's controls, read once a frame; what of the keyboard and the mouse arrives as
  // window events between frames (keys and a button held, the pointer's place).
  TControls Controls;
  bool SpaceHeld = false;
  bool EnterHeld = false;
  bool CtrlHeld = false;
  bool MouseHeld = false;
  int MouseX = 0;
  int MouseY = 0;
  bool BossHidden = false;  // the boss key hid the game and no deactivation has come yet

  // The band behind every screen: the sky in a game, the menu picture elsewhere. It lives
  // as long as the program.
  TScrollBackground* Sky = nullptr;

  // Music: the one loaded song.
  platform::TSongHandle SongHandle = 0;
  std::string SongPath;

  // Effects started, kept only while RecordSounds is set (the simulator's trace clears the
  // list each frame).
  bool RecordSounds = false;
  std::vector<std::string> SoundsStarted;

  // Draws nothing: for checking a replay, where the pictures change nothing that happens.
  bool SkipDrawing = false;
  // The screens' texts, in their sixteen styles.
  TScreenText Text{MDXDraw, SkipDrawing};
  // Drawn over each frame just before it is shown (the replay viewer's label).
  std::function<void()> FrameOverlay;

  // Replays. Each game is recorded from its start to its end through the recorder (when the
  // program gives one) and kept beside the save files.
  void RecordGamesWith(platform::TRecordingPlatform& recorder) { recorder_ = &recorder; }
  // The main menu's "new game": the game starts, and its recording with it.
  void BeginGame();
  // Starts the game a replay recorded, in the state the recording began in.
  void StartReplayedGame(const std::vector<uint8_t>& start);
  // The game recorded or played back has ended, and how.
  bool GameEnded() const { return gameEnding_.has_value(); }
  persist::TReplayEnding GameEnding() const { return gameEnding_.value(); }
  // The name entry was answered: the replay claims the name.
  void NameEntered() { nameEntered_ = true; }
  // What the game has come to, as a replay claims its result.
  persist::TReplayResult GameResult(persist::TReplayEnding ending) const;

  // Start-up and display modes.
  void FormCreate();
  void ApplyDisplayMode();
  void GoFullScreen();
  void GoWindowed();

  // Closing.
  bool FormCloseQuery();
  void FormClose();
  void SaveAndExit(bool evenUnsaved = false);
  void WriteSaves();
  void SaveBeforeFatalEnd();
  void SaveOptionsWhenChanged();
  // What the player set in the options file, without the table's checksum.
  struct TPlayerChoices {
    persist::TGameOptions options;
    uint8_t bossShift = 0;
    uint16_t bossKey = 0;
    bool operator==(const TPlayerChoices&) const = default;
  };
  TPlayerChoices PlayerChoices() const;
  // Told with a failed save: how to leave anyway.
  static constexpr const char* kUnsavedHint =
      "Настройки и рекорды не сохранены. Повторный выход закроет игру без сохранения.";
  void LoadSaveFiles();
  void SubmitScore();
  void ShowWindowIcon();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // The error that ended the run by coming back every frame, if one did.
  const std::optional<std::string>& FatalError() const { return errors_.Fatal(); }

  // The frame: what is drawn and the input read, then FinishFrame: the screen's step and the
  // picture shown.
  void MDXTimerTimer(int lagCount);
  void FinishFrame(int lag, int menuItemBefore);
  void UpdateFrameTiming();

  // The message loop: window events between frames, then the timer when idle.
  void ProcessEvents();
  void HandleEvent(const platform::TEvent& event);
  bool RunIdle();

  // Input.
  void ReadInput();
  // Whether the fire control is held: Space, Ctrl, Enter, a mouse button or the pad's south.
  bool FireHeld() const;
  void FormKeyDown(int key, int shift);
  void FormKeyUp(int key, int shift);
  void FormKeyPress(int key);
  void BossHide();
  void WakeFromBossHide();
  void MDXDrawMouseMove(int shift, int x, int y);
  void MDXDrawMouseDown();
  void MDXDrawMouseUp();
  void MDXDrawClick();
  void MDXDrawDblClick();
  void ShowMouseCursor();
  void HideMouseCursor();

  // Music.
  void PlaySong(const std::string& path);
  void StopSong();
  void StartScreenMusic();

  // A game begins from the main menu: no screen stands until the game's.
  void LeaveMainMenu();

  // What the running game asks of its shell (the windows' OpenWindow below is one of them).
  void ShowGameScreen() override;
  void LeaveGameScreen() override;
  int FirstLevel() const override { return config_.firstLevel; }
  void DrawHudText(const std::string& text, int style, int x, int y) override;
  gameplay::TPilotInput PilotInput() override;
  bool QuitPressed() override { return Controls.Back.Pressed; }
  bool PausePressed() override { return Controls.Pause.Pressed; }
  // A sound already playing starts again from the beginning rather than overlapping.
  void PlayEffect(const std::string& name, float pan) override;
  // The menus' and windows' sounds belong to no place on the field: centred.
  void PlayEffect(const std::string& name) { PlayEffect(name, 0.0f); }

  // A window over the screen, by its kind (objects/window_kinds.h); none while one stands.
  void OpenWindow(int kind) override;

  // The name typed for the table, kept for the next entry of the run.
  std::string PlayerName;

  const TFormConfig& Config() const { return config_; }
  // Whether the game offers to send a result; a replay plays as its recording had it.
  bool HasScoreServer() const {
    return config_.replaying ? replayedScoreServer_ : !config_.scoreUrl.empty();
  }

 private:
  void SetUpComponents();
  void DrawSprites();

  void ResetGameRecord();
  std::vector<uint8_t> CaptureReplayStart(uint32_t seed) const;
  void ApplyReplayStart(engine::TByteReader& in);
  void EndGameRecording(persist::TReplayEnding ending);
  void LimitRecording();
  std::string KeepFaultReplay();

  TFormConfig config_;
  TFormScreenHost host_{*this};
  TScreenStack screens_{host_};
  bool terminated_ = false;
  bool saveFailed_ = false;  // a save failed: the next leave does not wait for one
  platform::TRecordingPlatform* recorder_ = nullptr;
  persist::TSha256 rulesFingerprint_{};
  // The frame under way, while its input is read: a game started there finishes the frame.
  struct TFrameUnderWay {
    int Lag = 0;
    int MenuItemBefore = 0;
  };
  std::optional<TFrameUnderWay> frameUnderWay_;
  bool gameRunning_ = false;
  std::optional<persist::TReplayEnding> gameEnding_;
  bool nameEntered_ = false;
  bool faultKept_ = false;
  // A game that ends in an event (the name entered by a key or a click) is kept once the
  // frame of that turn of the loop has run: the replay holds the turn whole, as the recorded
  // run played it. Until then its result and files wait here.
  struct TEndedReplay {
    persist::TReplayResult result;
    std::vector<std::string> stems;
  };
  // Where this game's replay goes once it is kept: set when its record was sent.
  std::string replayUploadUrl_;
  std::optional<TEndedReplay> endedReplay_;
  bool inEvents_ = false;
  bool replayedScoreServer_ = false;
  void KeepEndedReplay();
  void UploadReplay(const std::vector<uint8_t>& replay);
  uint64_t gameFrames_ = 0;
  std::vector<uint8_t> replayStart_;
  TErrorGuard errors_;
  // What the player is told once the main menu is up (save files set aside at start-up).
  std::vector<std::string> startupNotices_;
  TPlayerChoices optionsSaved_;  // as last read or saved
};
