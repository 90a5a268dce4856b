#include "app/live_targets.h"

#include <algorithm>

#include "app/form.h"
#include "gfx/sjis.h"

namespace velmora {

namespace {

// The middle of the page button: in the message window, or in the corner over a
// full-screen picture.
constexpr Point kInMessageWindow{464, 451};
constexpr Point kOverPicture{574, 444};
constexpr Point kPictureMiddle{320, 240};
constexpr Rect kWholePicture{0, 0, 640, 480};

constexpr int kGoButton = 9;
constexpr int kCancelButton = 10;
constexpr int kClosingOption = 18;

// Where a choice's caption line starts, and how wide the game font's half-width column is.
constexpr int kCaptionX = 35;
constexpr int kColumnWidth = 8;

// The rectangle of a hit area given with both ends included.
constexpr Rect Inclusive(int left, int top, int right, int bottom) { return {left, top, right + 1, bottom + 1}; }

std::string Trimmed(std::string text) {
  static const std::string kWideBlank = "\xE3\x80\x80";  // U+3000
  for (;;) {
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
      text.erase(0, 1);
    } else if (text.starts_with(kWideBlank)) {
      text.erase(0, kWideBlank.size());
    } else if (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
      text.pop_back();
    } else if (text.ends_with(kWideBlank)) {
      text.resize(text.size() - kWideBlank.size());
    } else {
      return text;
    }
  }
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The words of a caption line (Shift-JIS) that stand over the columns from Left to Right:
// sets 3 and 6 lay their captions out with blanks so each stands over its option's area.
std::string CaptionOver(const std::string& line, int dx, int left, int right) {
  std::string picked;
  for (size_t i = 0; i < line.size();) {
    const size_t width = IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
    const int x = kCaptionX + dx + kColumnWidth * static_cast<int>(i);
    if (x >= left - kColumnWidth && x <= right) picked.append(line, i, width);
    i += width;
  }
  return Trimmed(DecodeCp932(picked));
}

// A script line the panel draws as text: not past the end, not a tag, not a label.
const std::string* CaptionLine(const TForm1& form, int64_t index) {
  if (index < 0 || index >= form.ScriptLines.Count()) return nullptr;
  const std::string& line = form.ScriptLines[index];
  if (ScriptText::TagIndex(line) > 0 || (!line.empty() && line[0] == '*')) return nullptr;
  return &line;
}

struct OptionSpot {
  int Id;
  Point At;
  int Left, Right;  // the option's area across
  int Row;          // 1 upper, 2 lower
};

constexpr OptionSpot kSetTwo[] = {{11, {113, 421}, 63, 163, 1}, {12, {113, 441}, 63, 163, 2}};
constexpr OptionSpot kRows[] = {
    {11, {103, 421}, 63, 143, 1},  {12, {213, 421}, 173, 253, 1}, {13, {323, 421}, 283, 363, 1},
    {14, {433, 421}, 393, 473, 1}, {15, {103, 441}, 63, 143, 2},  {16, {213, 441}, 173, 253, 2},
    {kClosingOption, {463, 448}, 447, 479, 2}};

std::string OptionName(const TForm1& form, const OptionSpot& spot, int number) {
  const GameState& s = form.State;
  const int64_t first = int64_t{s.ScriptPos};
  std::string name;
  if (s.ChoiceSet == 2) {
    if (first + spot.Row < form.ScriptLines.Count()) name = Trimmed(DecodeCp932(form.ScriptLines[first + spot.Row]));
  } else {
    // The prompt, then a caption line per row; the first tag or label ends them, as the
    // panel draws them.
    const std::string* line = nullptr;
    for (int i = 0; i <= spot.Row; ++i)
      if (!(line = CaptionLine(form, first + i))) break;
    if (line) name = CaptionOver(*line, s.CgShown != 0 ? 10 : 0, spot.Left, spot.Right);
  }
  return name.empty() ? "選択肢" + std::to_string(number) : name;
}

void AddOptions(const TForm1& form, std::vector<LiveTarget>& out) {
  const GameState& s = form.State;
  auto add = [&](const OptionSpot& spot) {
    if (form.Choice.ChoiceOptionAt(spot.At.X, spot.At.Y) != spot.Id) return;
    const int number = static_cast<int>(out.size()) + 1;
    const int top = spot.Row == 1 ? 414 : 434;
    const Rect area = spot.Id == kClosingOption ? Inclusive(447, 440, 479, 456) : Inclusive(spot.Left, top, spot.Right, top + 15);
    out.push_back({TargetKind::Option, kTownIds + spot.Id, spot.At, area, OptionName(form, spot, number), false});
  };
  if (s.ChoiceSet == 2) {
    for (const OptionSpot& spot : kSetTwo) add(spot);
  } else {
    for (const OptionSpot& spot : kRows) add(spot);
  }
}

void AddPlaces(const TForm1& form, std::vector<LiveTarget>& out) {
  for (int place = 1; place <= 16; ++place) {
    if (form.State.PlaceOpen[place] != 1) continue;
    for (const MapHotspot& h : MapHotspots) {
      if (h.Place != place) continue;
      const Point at{h.X + h.W / 2, h.Y + h.H / 2};
      if (form.Town.MapHit(at.X, at.Y) != place) continue;
      out.push_back({TargetKind::Place, kTownIds + place, at, PlaceTable[place].MapRect, Trimmed(PlaceTable[place].Name), false});
      break;
    }
  }
}

void AddAlbum(const TForm1& form, std::vector<LiveTarget>& out) {
  const GameState& s = form.State;
  out.push_back({TargetKind::AlbumButton, 5, {82, 30}, Inclusive(48, 20, 117, 39), "タイトルに戻る", true});
  if (s.ScreenMode == 8)
    out.push_back({TargetKind::AlbumButton, 7, {247, 275}, Inclusive(207, 260, 287, 290), "絵を見る", false});
  for (int slot = 1; slot <= 8; ++slot) {
    const bool live = s.ScreenMode == 2 ? s.CgSeen[slot] != 0 : slot == s.CurrentCg;
    if (!live) continue;
    const Point cell = PointerInput::AlbumSlotPos(static_cast<uint8_t>(slot), 0);
    out.push_back({TargetKind::AlbumPicture, kAlbumPictureIds + slot, {cell.X + 33, cell.Y + 33},
                   {cell.X, cell.Y, cell.X + 66, cell.Y + 66}, "絵" + std::to_string(slot), false});
  }
}

}  // namespace

std::optional<Point> PageButtonTarget(const TForm1& form) {
  if (form.G_Timer.Enabled() || form.Play_Timer.Enabled()) return std::nullopt;
  const GameState& s = form.State;
  const Point button = s.CgShown == 0 ? kInMessageWindow : kOverPicture;
  bool live = false;
  switch (s.ScreenMode) {
    case 3: live = s.GamePhase == 2; break;
    case 4: live = s.TownPhase == 0 || (s.TownPhase >= 5 && s.TownPhase <= 7); break;
    case 5: return kPictureMiddle;
    case 6: live = true; break;
    case 7: return button;
    default: break;
  }
  // The game's own hit test has the last word, so a key never lands beside the button.
  if (!live || form.Input.ButtonAt(button.X, button.Y) != 5) return std::nullopt;
  return button;
}

int TargetIdAt(const TForm1& form, int x, int y) {
  const GameState& s = form.State;
  switch (s.ScreenMode) {
    case 0:
    case 5:
    case 7:
      return kWholePictureId;
    case 1:
    case 6:
      return form.Input.ButtonAt(x, y);
    case 2: {
      if (const int button = form.Input.ButtonAt(x, y)) return button;
      const int slot = PointerInput::AlbumSlotAt(x, y);
      return slot > 0 ? kAlbumPictureIds + slot : 0;
    }
    case 3: {
      const int card = PointerInput::CardAt(x, y);
      if (s.GamePhase == 1) return s.GamePick == 0 && card > 0 ? kCardIds + card : 0;
      return s.GamePhase == 2 ? form.Input.ButtonAt(x, y) : 0;
    }
    case 4:
      switch (s.TownPhase) {
        case 1:
        case 2:
        case 4: {
          const int hit = form.Town.MapHit(x, y);
          return hit > 0 ? kTownIds + hit : 0;
        }
        case 0:
        case 5:
        case 6:
        case 7:
          return form.Input.ButtonAt(x, y);
        default:
          return 0;
      }
    case 8: {
      if (const int button = form.Input.ButtonAt(x, y)) return button;
      return PointerInput::AlbumSlotAt(x, y) == s.CurrentCg ? kAlbumPictureIds + s.CurrentCg : 0;
    }
    default:
      return 0;
  }
}

std::vector<LiveTarget> LiveTargets(const TForm1& form) {
  std::vector<LiveTarget> out;
  if (form.G_Timer.Enabled() || form.Play_Timer.Enabled()) return out;
  const GameState& s = form.State;
  switch (s.ScreenMode) {
    case 1:
      out.push_back({TargetKind::TitleButton, 1, {320, 198}, Inclusive(280, 183, 360, 213), "最初から", false});
      out.push_back({TargetKind::TitleButton, 3, {320, 266}, Inclusive(280, 251, 360, 281), "アルバム", false});
      out.push_back({TargetKind::TitleButton, 4, {320, 300}, Inclusive(280, 285, 360, 315), "終了", false});
      break;
    case 2:
    case 8:
      AddAlbum(form, out);
      break;
    case 3:
      if (s.GamePhase == 1 && s.GamePick == 0)
        for (int card = 1; card <= 4; ++card)
          out.push_back({TargetKind::Card, kCardIds + card, {95 + 110 * (card - 1), 222},
                         Inclusive(50 + 110 * (card - 1), 160, 140 + 110 * (card - 1), 285), "カード" + std::to_string(card),
                         false});
      break;
    case 4:
      if (s.TownPhase == 1) {
        AddPlaces(form, out);
      } else if (s.TownPhase == 2) {
        const int y = form.Town.ConfirmTop() + 67;
        out.push_back({TargetKind::MoveButton, kTownIds + kGoButton, {244, y}, Inclusive(224, y - 12, 264, y + 12), "移動する", false});
        out.push_back({TargetKind::MoveButton, kTownIds + kCancelButton, {289, y}, Inclusive(269, y - 12, 309, y + 12), "やめる", true});
      } else if (s.TownPhase == 4) {
        AddOptions(form, out);
      }
      break;
    default:
      break;
  }
  if (const std::optional<Point> page = PageButtonTarget(form)) {
    const Rect button = s.CgShown == 0 ? Inclusive(430, 442, 499, 461) : Inclusive(540, 435, 609, 454);
    if (s.ScreenMode == 5)
      out.push_back({TargetKind::SkipPan, kWholePictureId, *page, kWholePicture, "スキップ", false});
    else if (s.ScreenMode == 7)
      out.push_back({TargetKind::EndingClick, kWholePictureId, *page, kWholePicture, "タイトルへ", false});
    else
      out.push_back({TargetKind::PageButton, 5, *page, button, "次へ", false});
  }
  // The game's hit test has the last word: an area it does not answer for is not offered.
  std::erase_if(out, [&](const LiveTarget& t) { return TargetIdAt(form, t.At.X, t.At.Y) != t.Id; });
  std::stable_sort(out.begin(), out.end(), [](const LiveTarget& a, const LiveTarget& b) {
    return a.At.Y != b.At.Y ? a.At.Y < b.At.Y : a.At.X < b.At.X;
  });
  return out;
}

std::string ScreenPrompt(const std::vector<LiveTarget>& targets) {
  if (targets.empty()) return "";
  switch (targets.front().Kind) {
    case TargetKind::TitleButton: return "タイトル画面";
    case TargetKind::AlbumButton:
    case TargetKind::AlbumPicture: return "アルバム";
    case TargetKind::Place: return "移動先を選んでください。";
    case TargetKind::MoveButton: return "移動の確認";
    case TargetKind::Card: return "カードを選んでください。";
    default: return "";
  }
}

uint64_t ScreenKey(const TForm1& form) {
  const GameState& s = form.State;
  uint64_t key = 1469598103934665603ull;  // FNV-1a over the fields that tell screens apart
  auto mix = [&key](int64_t v) {
    for (int i = 0; i < 8; ++i) {
      key ^= static_cast<uint64_t>(v >> (8 * i)) & 0xFF;
      key *= 1099511628211ull;
    }
  };
  for (const int64_t v : {int64_t{s.ScreenMode}, int64_t{s.ModeArg}, int64_t{s.TownPhase}, int64_t{s.GamePhase},
                          int64_t{s.GamePick}, int64_t{s.ChoiceSet}, int64_t{s.ScriptPos}, int64_t{s.TargetPlace},
                          int64_t{s.CurrentCg}, int64_t{s.CgShown}, int64_t{s.DayCount}, int64_t{s.TimeSlot},
                          int64_t{s.CurrentPlace}})
    mix(v);
  return key;
}

}  // namespace velmora
