#include "town/town_fixture.h"

#include <map>

#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "tools/asset_file.h"
#include "tools/bmp_writer.h"
#include "tools/demo/demo_content.h"
#include "town/town_map.h"

namespace velmora::testing {

namespace {

// One colour per scene slot, by its offset.
const std::map<int32_t, uint32_t>& SceneSlotColors() {
  static const std::map<int32_t, uint32_t> colors = [] {
    std::map<int32_t, uint32_t> c;
    uint32_t next = 0x101010;
    for (int scene = 1; scene <= 17; ++scene) {
      const int32_t offset = AssetTable.ScenePictures[scene];
      if (!c.count(offset)) c[offset] = next += 0x0A0C0E;
    }
    return c;
  }();
  return colors;
}


Picture TownSpritesPicture(int width, int height) {
  Picture p(width, height);
  p.Fill(kLabelColor);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 300; ++x) p.SetPixelColor(x, y, kBoxColor);
  for (int y = 0; y < 48; ++y)
    for (int x = 300; x < 340; ++x) p.SetPixelColor(x, y, kBoxButtonColor);
  for (int place = 1; place <= 16; ++place) {
    const Rect& r = PlaceTable[place].SpriteRect;
    p.SetPixelColor(r.Left, r.Top, kSpriteKey);
  }
  p.SetPixelColor(313, 70, kSpriteKey);  // the position marker
  return p;
}

const std::vector<uint8_t>& TownAssetBytes() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<Picture> pictures = DrawDemoPictures();
    const std::vector<AssetSlot>& slots = AssetSlots();
    for (size_t i = 0; i < slots.size(); ++i) {
      Picture& p = pictures[i];
      const int32_t offset = slots[i].Offset;
      if (offset == TownBackdrop) {
        p = TownBackdropPicture();
      } else if (offset == TownSprites) {
        p = TownSpritesPicture(slots[i].Width, slots[i].Height);
      } else if (offset == PlainBackdrop) {
        p.Fill(kPlainColor);
      } else if (SceneSlotColors().count(offset)) {
        p.Fill(SceneSlotColors().at(offset));
      }
    }
    std::vector<std::vector<uint8_t>> bmps;
    for (const Picture& p : pictures) bmps.push_back(WriteBmp(p));
    return BuildAssetFile(bmps, EncodeCp932(DemoScript()));
  }();
  return bytes;
}

}  // namespace

const Picture& TownBackdropPicture() {
  static const Picture picture = [] {
    Picture p(640, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) p.SetPixelColor(x, y, BackdropColor(x, y));
    return p;
  }();
  return picture;
}

Picture FlatPicture(uint32_t color) {
  Picture p(640, 480);
  p.Fill(color);
  return p;
}

uint32_t SceneColor(int scene) { return SceneSlotColors().at(AssetTable.ScenePictures[scene]); }

TownGame::TownGame() : host_(dir_.Path()) {
  dir_.Write("data/qelvart.red", TownAssetBytes());
  WriteSounds(dir_);
  host_.Start();
  host_.RunFor(500);
  host_.RunUntilIdle();
}

void TownGame::SetUpDay(uint8_t phase) {
  form().Modes.ResetGameState();
  GameState& s = state();
  s.EventState.Fill(0);
  s.DayCount = 1;
  s.TownPhase = phase;
  s.CurrentEvent = 0;
  s.ScriptPos = 0;
}

void TownGame::EnterTown() {
  form().Modes.SwitchMode(4, 1);
  host_.RunUntilIdle();
}

int FirstTextColumn(const Picture& picture, const Rect& area) {
  for (int x = area.Left; x < area.Right; ++x)
    for (int y = area.Top; y < area.Bottom; ++y)
      if (picture.PixelColor(x, y) != BackdropColor(x, y)) return x;
  return -1;
}

bool StartsAt(const Picture& picture, const Rect& area, int x, std::string_view sjis, int fontSize) {
  Canvas canvas;
  canvas.FontSize = fontSize;
  canvas.FontColor = kWhite;
  canvas.BrushSolid = false;
  Picture probe(400, 60);
  TextOut(probe, canvas, 0, 0, sjis);
  int ink = -1;
  for (int px = 0; px < probe.Width() && ink < 0; ++px)
    for (int py = 0; py < probe.Height(); ++py)
      if (probe.PixelColor(px, py) != kBlack) {
        ink = px;
        break;
      }
  return ink >= 0 && FirstTextColumn(picture, area) == x + ink;
}

bool ShowsText(const Picture& shown, const Picture& under, const Rect& area, Point at, std::string_view sjis,
               int fontSize) {
  Picture expected(640, 480, PixelFormat::Bgrx32);
  CopyRect(expected, expected.Bounds(), under, under.Bounds());
  Canvas canvas;
  canvas.FontSize = fontSize;
  canvas.FontColor = kWhite;
  canvas.BrushSolid = false;
  TextOut(expected, canvas, at.X, at.Y, sjis);
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (shown.PixelColor(x, y) != expected.PixelColor(x, y)) return false;
  return true;
}

bool HasText(const Picture& picture, const Rect& area) { return FirstTextColumn(picture, area) >= 0; }

}  // namespace velmora::testing
