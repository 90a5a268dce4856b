// The demo pictures: every slot filled at its size and depth, the asset file accepted by
// the checker, and the places where the game relies on what a picture shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "app/game_error.h"
#include "app/pointer_input.h"
#include "demo/demo_art.h"
#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "support/fixtures.h"
#include "town/status_panel.h"
#include "town/town_map.h"
#include "tools/asset_file.h"
#include "tools/demo/demo_content.h"

namespace velmora {
namespace {

using testing::Cut;
using testing::DemoPicture;
using testing::DifferingPixels;
using testing::Luma;

TEST(DemoPictures, EverySlotHasAPictureOfItsSizeAndDepthAndTheFileChecksClean) {
  for (const AssetSlot& slot : AssetSlots()) {
    SCOPED_TRACE(slot.Name);
    const Picture& p = DemoPicture(slot.Name);
    EXPECT_EQ(p.Width(), slot.Width);
    EXPECT_EQ(p.Height(), slot.Height);
    EXPECT_EQ(p.Format(), slot.BitCount == 8 ? PixelFormat::Indexed8 : PixelFormat::Bgr24);
    // A picture of one flat colour would be a slot nobody drew.
    std::set<uint32_t> colours;
    for (int y = 0; y < p.Height() && colours.size() < 20; y += 7)
      for (int x = 0; x < p.Width() && colours.size() < 20; x += 5) colours.insert(p.PixelColor(x, y));
    EXPECT_GE(colours.size(), 20u);
  }
  for (const SlotReport& report : CheckAssetFile(testing::DemoAssetBytes())) EXPECT_EQ(report.Problem, "") << report.Name;
}

TEST(DemoPictures, TheGameFolderHoldsTheAssetFileAndFourSounds) {
  testing::ScratchDir dir;
  WriteDemoGameFolder(dir.Path() + "/game");
  const std::filesystem::path root = std::filesystem::path(dir.Path()) / "game";
  std::ifstream in(root / "data" / "qelvart.red", std::ios::binary);
  const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(file, testing::DemoAssetBytes());
  for (const char* name : {"01.wav", "02.wav", "03.wav", "04.wav"}) EXPECT_TRUE(std::filesystem::exists(root / "wav" / name));
}

TEST(DemoPictures, TitleShowsNewGameAndExitWhereTheirHitAreasAreAndLeavesTheOthersPlain) {
  const Picture& title = DemoPicture("title_backdrop");
  const Picture& sheet = DemoPicture("title_buttons");
  auto buttonRect = [](int id) { return Rect{280, 183 + 34 * (id - 1), 360, 213 + 34 * (id - 1)}; };
  auto sheetCell = [&](int state, int id) { return Cut(sheet, {80 * state, 30 * (id - 1), 80 * state + 80, 30 * id}); };
  auto darkPixels = [](const Picture& p) {
    int n = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) n += Luma(p.PixelColor(x, y)) < 110;
    return n;
  };
  for (int id : {1, 4}) {
    SCOPED_TRACE(id);
    const Picture shown = Cut(title, buttonRect(id));
    EXPECT_GT(darkPixels(shown), 40);  // the label's text
    // Moving the pointer off a lit button restores it from the title picture, so the
    // sheet's normal look must be exactly what the title shows.
    EXPECT_EQ(DifferingPixels(shown, sheetCell(0, id)), 0);
    EXPECT_GT(DifferingPixels(shown, sheetCell(1, id)), 200);
    EXPECT_GT(DifferingPixels(shown, sheetCell(2, id)), 200);
  }
  for (int id : {2, 3}) {
    SCOPED_TRACE(id);
    const Picture spot = Cut(title, buttonRect(id));
    EXPECT_EQ(darkPixels(spot), 0);
    EXPECT_GT(darkPixels(sheetCell(0, id)), 40);  // drawn by the game when live
  }
}

TEST(DemoPictures, WindowPictureDarkensAndTintsWithADarkerRim) {
  const Picture& w = DemoPicture("window_picture");
  // Inside both panels: never white (white would leave the scene untouched) and never
  // near black (the scene must show through).
  for (const Rect& inside : {Rect{10, 10, 480, 70}, Rect{500, 10, 582, 70}})
    for (int y = inside.Top; y < inside.Bottom; ++y)
      for (int x = inside.Left; x < inside.Right; ++x) {
        const int l = Luma(w.PixelColor(x, y));
        ASSERT_GT(l, 60) << x << "," << y;
        ASSERT_LT(l, 235) << x << "," << y;
      }
  const uint32_t middle = w.PixelColor(245, 40);
  EXPECT_NE((middle >> 16) & 0xFF, middle & 0xFF);  // a tint, not a grey
  EXPECT_LT(Luma(w.PixelColor(0, 40)), Luma(middle));
  EXPECT_LT(Luma(w.PixelColor(489, 40)), Luma(middle));  // the right rim of the 490-wide window
  EXPECT_LT(Luma(w.PixelColor(245, 79)), Luma(middle));
}

TEST(DemoPictures, MasksAreSoftGreyRampsSolidUnderTheFaceFrame) {
  for (int heroine = 1; heroine <= 3; ++heroine) {
    SCOPED_TRACE(heroine);
    const Picture& mask = DemoPicture("mask_" + std::to_string(heroine));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(mask.Palette()[static_cast<size_t>(i)], static_cast<uint32_t>(i) * 0x010101u);
    int zero = 0, full = 0, soft = 0;
    std::set<int> values;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x) {
        const int v = mask.Row(y)[x];
        zero += v == 0;
        full += v == 255;
        soft += v > 0 && v < 255;
        values.insert(v);
      }
    EXPECT_GT(zero, 10000);
    EXPECT_GT(full, 10000);
    EXPECT_GT(soft, 500);
    EXPECT_GT(values.size(), 200u);
    // The face is laid over the blended portrait opaque: the mask must be solid there.
    const PortraitSet& set = AssetTable.PortraitSets[heroine];
    for (int y = set.FaceY; y < set.FaceY + set.FaceHeight; ++y)
      for (int x = set.FaceX; x < set.FaceX + set.FaceWidth; ++x) ASSERT_EQ(mask.Row(y)[x], 255) << x << "," << y;
    // The portrait reaches ten rows past the scene's bottom edge; those rows stay clear.
    for (int x = 0; x < mask.Width(); ++x) ASSERT_EQ(mask.Row(465)[x], 0);
  }
}

TEST(DemoPictures, FaceFramesLineUpWithThePortraitAndEachShowsAnotherExpression) {
  for (int heroine = 1; heroine <= 3; ++heroine) {
    SCOPED_TRACE(heroine);
    const PortraitSet& set = AssetTable.PortraitSets[heroine];
    const Picture& sheet = DemoPicture("faces_" + std::to_string(heroine));
    const Picture& portrait = DemoPicture("portrait_" + std::to_string(heroine));
    const int frames = sheet.Width() / set.FaceWidth;
    ASSERT_EQ(frames * set.FaceWidth, sheet.Width());
    std::vector<Picture> faces;
    for (int f = 1; f <= frames; ++f)
      faces.push_back(Cut(sheet, {set.FaceWidth * (f - 1), 0, set.FaceWidth * f, set.FaceHeight}));
    const Picture underFace = Cut(portrait, {set.FaceX, set.FaceY, set.FaceX + set.FaceWidth, set.FaceY + set.FaceHeight});
    EXPECT_EQ(DifferingPixels(faces[0], underFace), 0);
    for (size_t a = 0; a < faces.size(); ++a) {
      // Every frame's border matches the portrait, so no frame shows its edge.
      for (int x = 0; x < set.FaceWidth; ++x) {
        ASSERT_EQ(faces[a].PixelColor(x, 0), underFace.PixelColor(x, 0));
        ASSERT_EQ(faces[a].PixelColor(x, set.FaceHeight - 1), underFace.PixelColor(x, set.FaceHeight - 1));
      }
      for (size_t b = a + 1; b < faces.size(); ++b) EXPECT_GT(DifferingPixels(faces[a], faces[b]), 150) << a << " " << b;
    }
  }
}

TEST(DemoPictures, AlbumShowsEveryThumbnailInItsCellAndTheSheetHoldsItsLooks) {
  const Picture& page = DemoPicture("album_backdrop");
  const Picture& thumbs = DemoPicture("album_thumbnails");
  const Picture& sheet = DemoPicture("album_sheet");
  const Picture locked = Cut(sheet, {0, 0, 66, 66});
  std::vector<Picture> seen;
  for (uint8_t slot = 1; slot <= 8; ++slot) {
    SCOPED_TRACE(slot);
    auto cell = [](const Picture& p, Point at) { return Cut(p, {at.X, at.Y, at.X + 66, at.Y + 66}); };
    const Picture onPage = cell(page, PointerInput::AlbumSlotPos(slot, 0));
    const Picture pressed = cell(thumbs, PointerInput::AlbumSlotPos(slot, 1));
    const Picture hover = cell(thumbs, PointerInput::AlbumSlotPos(slot, 2));
    EXPECT_GT(DifferingPixels(onPage, locked), 2000);
    EXPECT_GT(DifferingPixels(onPage, pressed), 1000);
    EXPECT_GT(DifferingPixels(onPage, hover), 500);
    EXPECT_GT(DifferingPixels(pressed, hover), 1000);
    for (const Picture& other : seen) EXPECT_GT(DifferingPixels(onPage, other), 1000);
    seen.push_back(onPage);
  }
  // Buttons 7 and 8: normal and pressed differ, and their corners match the page they
  // are drawn over, since the release erases them from the page again.
  for (int k = 0; k < 2; ++k) {
    const Picture normal = Cut(sheet, {66 + 80 * k, 0, 146 + 80 * k, 30});
    const Picture pressed = Cut(sheet, {66 + 80 * k, 30, 146 + 80 * k, 60});
    EXPECT_GT(DifferingPixels(normal, pressed), 300);
    EXPECT_EQ(normal.PixelColor(0, 0), page.PixelColor(207 + 147 * k, 260));
  }
  // The back button is shown where the page button is drawn in the album.
  EXPECT_GT(DifferingPixels(Cut(page, {48, 20, 118, 40}), Cut(page, {130, 90, 200, 110})), 300);
}

TEST(DemoPictures, TownFrameHasDarkFieldsForTheWhiteStatusValuesAndAPlaceAtEveryLabel) {
  const Picture& town = DemoPicture("town_backdrop");
  for (int k = 1; k <= 6; ++k) {
    const Rect r = StatusRects[k];
    int dark = 0;
    for (int y = r.Top + 3; y < r.Bottom - 3; ++y)
      for (int x = r.Left + 4; x < r.Right - 4; ++x) dark += Luma(town.PixelColor(x, y)) < 100;
    EXPECT_EQ(dark, (r.Height() - 6) * (r.Width() - 8)) << "field " << k;
  }
  // Every place's building stands at its label's rectangle: little of it is bare ground.
  const uint32_t ground = town.PixelColor(476, 452);
  for (int place = 1; place <= 16; ++place) {
    const Picture label = Cut(town, PlaceTable[place].MapRect);
    int bare = 0;
    for (int y = 0; y < label.Height(); ++y)
      for (int x = 0; x < label.Width(); ++x) bare += label.PixelColor(x, y) == ground;
    EXPECT_LT(bare, label.Width() * label.Height() / 3) << "place " << place;
  }
}

TEST(DemoPictures, PhotoSceneMessageStripIsOneColourDarkEnoughForWhiteText) {
  // The game restores the strip from the scene picture at the strip's own screen
  // coordinates, ten pixels off from where the scene lies; a flat strip hides that.
  const Picture& scene = DemoPicture("scene_photo");
  const uint32_t strip = scene.PixelColor(185, 300);
  EXPECT_LT(Luma(strip), 90);
  for (int y = 290; y < 330; ++y)
    for (int x = 175; x < 350; ++x) ASSERT_EQ(scene.PixelColor(x, y), strip) << x << "," << y;
}

TEST(DemoPictures, TallCgsChangeAlongTheirLength) {
  // Each pan passes through views that differ from its resting frame.
  for (const auto& [name, rest] : {std::pair{"cg_2", 60}, std::pair{"cg_3", 430}}) {
    const Picture& cg = DemoPicture(name);
    const Picture restFrame = Cut(cg, {0, rest, 640, rest + 480});
    for (int y = 0; y + 480 <= cg.Height(); y += 110) {
      if (std::abs(y - rest) <= 100) continue;
      EXPECT_GT(DifferingPixels(Cut(cg, {0, y, 640, y + 480}), restFrame), 100000) << name << " " << y;
    }
  }
}

}  // namespace
}  // namespace velmora
