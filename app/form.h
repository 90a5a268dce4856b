#pragma once
// TForm1: the game. It owns the window's components (the screen picture ImageBa, the
// hidden pictures ImageCG and ImageMap, three timers, the main menu), the long-lived
// objects (AssetStream, BackBuffer, ScriptLines), the game state and one object per
// subsystem. Its public methods are the handlers the host calls from its event loop.
// Nothing here knows about Qt; a test makes a fresh game in one line.

#include <cstdint>
#include <memory>
#include <string>

#include "app/buttons.h"
#include "app/game_state.h"
#include "app/game_timer.h"
#include "app/menu_item.h"
#include "app/page_feed.h"
#include "app/pointer_input.h"
#include "app/screen_modes.h"
#include "app/sound_effects.h"
#include "gfx/asset_pictures.h"
#include "gfx/canvas.h"
#include "gfx/cg_display.h"
#include "gfx/file_stream.h"
#include "gfx/picture.h"
#include "gfx/text_styles.h"
#include "gfx/transitions.h"
#include "minigame/photo_game.h"
#include "platform/host.h"
#include "script/events.h"
#include "script/interpreter.h"
#include "script/script_text.h"
#include "script/string_list.h"
#include "town/calendar.h"
#include "town/choice_panel.h"
#include "town/partner_portrait.h"
#include "town/status_panel.h"
#include "town/town_map.h"

namespace velmora {

inline constexpr const char* kAssetFilePath = "data/qelvart.red";
inline constexpr const char* kApplicationTitle = "Velmora　体験版";
inline constexpr const char* kWindowCaption = "Velmora　　Kasenrei 体験版";

class TForm1 {
 public:
  explicit TForm1(Host& host);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // --- handlers the host calls ---
  void FormCreate();
  void FormClose();
  void G_TimerTimer();
  void CG_TimerTimer();
  void Play_TimerTimer();
  void ImageBaMouseDown(MouseButton button, int x, int y);
  void ImageBaMouseMove(int x, int y);
  void ImageBaMouseUp(MouseButton button, int x, int y);
  // A tick of any timer, and a click on any menu item, for hosts that dispatch by id.
  void TimerTick(TimerId id);
  void MenuClick(MenuItem& item);

  // --- menu commands ---
  void Start_Btn1Click();
  void ReStart_Btn1Click();
  void ReSet_Btn1Click();
  void Exit_Btn1Click();
  void Save_3Click();
  void Load_Btn1Click();
  void Load_3Click();
  void ON1Click(MenuItem& sender);
  void About_Btn1Click();
  void TEXT1Click();

  // The four lines of the about box.
  static std::string AboutText();

  // --- the window ---
  Host& host;
  std::string Caption;
  uint32_t Color = kWhite;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int Tag = 0;  // AssetsMissing: 1 when the asset file was missing at start-up
  int AssetsMissing() const { return Tag; }

  // --- components ---
  ImageComponent ImageBa;
  ImageComponent ImageCG;
  ImageComponent ImageMap;
  GameTimer G_Timer{TimerId::G_Timer, "G_Timer", 500};
  GameTimer CG_Timer{TimerId::CG_Timer, "CG_Timer", 1};
  GameTimer Play_Timer{TimerId::Play_Timer, "Play_Timer", 50};

  MenuItem MainMenu1{"MainMenu1", ""};
  MenuItem Game_Btn1{"Game_Btn1", "GAME"};
  MenuItem Start_Btn1{"Start_Btn1", "最初から"};
  MenuItem ReStart_Btn1{"ReStart_Btn1", "続きから"};
  MenuItem ReSet_Btn1{"ReSet_Btn1", "戻る"};
  MenuItem Exit_Btn1{"Exit_Btn1", "終了"};
  MenuItem Save_Btn1{"Save_Btn1", "セーブ"};
  MenuItem Save_1{"Save_1", "セーブ　1", 1};
  MenuItem Save_2{"Save_2", "セーブ　2", 2};
  MenuItem Save_3{"Save_3", "セーブ　3", 3};
  MenuItem Load_Btn1{"Load_Btn1", "ロード"};
  MenuItem Load_1{"Load_1", "ロード　1", 1};
  MenuItem Load_2{"Load_2", "ロード　2", 2};
  MenuItem Load_3{"Load_3", "ロード　3", 3};
  MenuItem N1{"N1", "設定"};
  MenuItem BGM_Btn1{"BGM_Btn1", "音 ON"};
  MenuItem ON1{"ON1", "ON", 1};
  MenuItem OFF1{"OFF1", "OFF", 2};
  MenuItem About_Btn1{"About_Btn1", "バージョン情報"};
  MenuItem TEXT1{"TEXT1", "TEXT読込"};

  // --- objects that live as long as the window ---
  std::unique_ptr<FileStream> AssetStream;
  Picture BackBuffer;
  StringList ScriptLines;

  GameState State;

  // What the player is reading, told by the story-text drawing paths (an extra's source;
  // the game never reads it back).
  PageFeed Feed;

  // --- subsystems ---
  SoundEffects Sound{*this};
  ScreenModes Modes{*this};
  PointerInput Input{*this};
  Buttons Button{*this};
  AssetPictures Assets{*this};
  TextStyles Text{*this};
  Transitions Wipes{*this};
  CgDisplay Cg{*this};
  ScriptText Script{*this};
  Interpreter Interp{*this};
  Events Event{*this};
  Calendar Clock{*this};
  StatusPanel Status{*this};
  TownMap Town{*this};
  Choices Choice{*this};
  PartnerPortrait Portrait{*this};
  PhotoGame Photo{*this};

 private:
  void BuildMainMenu();
  // A failed mode-timer tick abandons the mode change instead of failing again forever.
  void AbandonModeChange();
};

}  // namespace velmora
