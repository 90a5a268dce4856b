// The drawing toolkit's conversions, and pictures that must agree with one another: the
// logo with the backdrop it stands on, album thumbnails with their CGs, and no two
// scenes, CGs or title buttons drawn alike.
#include <gtest/gtest.h>

#include <QImage>

#include "demo/demo_art.h"
#include "tools/demo/paint_kit.h"

namespace velmora {
namespace {

using testing::Cut;
using testing::DemoPicture;
using testing::DifferingPixels;

TEST(DemoToolkit, CanvasesBecomePicturesWithTheirColoursAndMasksWithTheirValues) {
  QImage canvas(3, 2, QImage::Format_RGB32);
  canvas.setPixel(0, 0, qRgb(255, 0, 0));
  canvas.setPixel(1, 0, qRgb(0, 255, 0));
  canvas.setPixel(2, 0, qRgb(0, 0, 255));
  canvas.setPixel(0, 1, qRgb(1, 2, 3));
  canvas.setPixel(1, 1, qRgb(250, 128, 7));
  canvas.setPixel(2, 1, qRgb(255, 255, 255));
  const Picture p = demo::ToPicture(canvas);
  ASSERT_EQ(p.Format(), PixelFormat::Bgr24);
  EXPECT_EQ(p.PixelColor(0, 0), 0xFF0000u);
  EXPECT_EQ(p.PixelColor(1, 0), 0x00FF00u);
  EXPECT_EQ(p.PixelColor(2, 0), 0x0000FFu);
  EXPECT_EQ(p.PixelColor(0, 1), 0x010203u);
  EXPECT_EQ(p.PixelColor(1, 1), 0xFA8007u);
  EXPECT_EQ(p.Row(0)[0], 0);  // blue first in memory, as a BMP row
  EXPECT_EQ(p.Row(0)[2], 255);

  QImage grey(5, 1, QImage::Format_Grayscale8);
  for (int x = 0; x < 5; ++x) grey.scanLine(0)[x] = static_cast<uchar>(x * 60);
  const Picture mask = demo::ToMask(grey);
  ASSERT_EQ(mask.Format(), PixelFormat::Indexed8);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(mask.Row(0)[x], x * 60);
  EXPECT_EQ(mask.Palette()[0], 0u);
  EXPECT_EQ(mask.Palette()[128], 0x808080u);
  EXPECT_EQ(mask.Palette()[255], 0xFFFFFFu);
}

TEST(DemoPictureSet, OpeningLogoBlendsIntoThePlainBackdropAroundIt) {
  // The logo is drawn at (173,218) over the plain backdrop; its edge rows must be the
  // backdrop itself or the logo shows as a box.
  const Picture& logo = DemoPicture("opening_logo");
  const Picture& plain = DemoPicture("plain_backdrop");
  for (int x = 0; x < logo.Width(); ++x) {
    ASSERT_EQ(logo.PixelColor(x, 0), plain.PixelColor(173 + x, 218)) << x;
    ASSERT_EQ(logo.PixelColor(x, 39), plain.PixelColor(173 + x, 257)) << x;
  }
  EXPECT_GT(DifferingPixels(logo, Cut(plain, {173, 218, 473, 258})), 2000);
}

// A 4x4 grid of average colours: a coarse fingerprint of a picture.
std::vector<int> Fingerprint(const Picture& p) {
  std::vector<int> f(48, 0);
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const uint32_t c = p.PixelColor(x, y);
      const size_t cell = static_cast<size_t>((y * 4 / p.Height()) * 4 + x * 4 / p.Width()) * 3;
      for (int ch = 0; ch < 3; ++ch) f[cell + static_cast<size_t>(ch)] += (c >> (16 - 8 * ch)) & 0xFF;
    }
  const int perCell = p.Width() * p.Height() / 16;
  for (int& v : f) v /= perCell;
  return f;
}

int Distance(const std::vector<int>& a, const std::vector<int>& b) {
  int d = 0;
  for (size_t i = 0; i < a.size(); ++i) d += std::abs(a[i] - b[i]);
  return d;
}

TEST(DemoPictureSet, EachAlbumSlotShowsItsOwnCg) {
  const Picture& page = DemoPicture("album_backdrop");
  const Point cells[9] = {{}, {24, 183}, {90, 183}, {156, 183}, {90, 303}, {156, 303}, {222, 303}, {288, 303}, {24, 369}};
  std::vector<std::vector<int>> cgs(9);
  for (int n = 1; n <= 8; ++n) {
    const Picture& cg = DemoPicture("cg_" + std::to_string(n));
    const int rest = n == 2 ? 60 : n == 3 ? 430 : 0;
    const int frameHeight = std::min(480, cg.Height());  // the resting frame, cut square
    const int side = std::min(cg.Width(), frameHeight);
    const int left = (cg.Width() - side) / 2, top = rest + (frameHeight - side) / 2;
    cgs[static_cast<size_t>(n)] = Fingerprint(Cut(cg, {left, top, left + side, top + side}));
  }
  for (int slot = 1; slot <= 8; ++slot) {
    const Point at = cells[slot];
    const std::vector<int> shown = Fingerprint(Cut(page, {at.X + 3, at.Y + 3, at.X + 63, at.Y + 63}));
    int best = 0;
    for (int n = 1; n <= 8; ++n)
      if (best == 0 || Distance(shown, cgs[static_cast<size_t>(n)]) < Distance(shown, cgs[static_cast<size_t>(best)])) best = n;
    EXPECT_EQ(best, slot);
  }
}

TEST(DemoPictureSet, NoTwoScenesCgsOrTitleButtonsAreDrawnAlike) {
  const char* const scenes[] = {"scene_home", "scene_heroine_home", "scene_park", "scene_store", "scene_supermarket",
                                "scene_town", "scene_9", "scene_10", "scene_11", "scene_night", "scene_photo"};
  for (size_t a = 0; a < std::size(scenes); ++a)
    for (size_t b = a + 1; b < std::size(scenes); ++b)
      EXPECT_GT(DifferingPixels(DemoPicture(scenes[a]), DemoPicture(scenes[b])), 100000) << scenes[a] << " " << scenes[b];
  for (int a = 1; a <= 8; ++a)
    for (int b = a + 1; b <= 8; ++b)
      EXPECT_GT(DifferingPixels(DemoPicture("cg_" + std::to_string(a)), DemoPicture("cg_" + std::to_string(b))), 50000)
          << a << " " << b;
  const Picture& sheet = DemoPicture("title_buttons");
  std::vector<Picture> cells;
  for (int state = 0; state < 3; ++state)
    for (int id = 1; id <= 4; ++id) cells.push_back(Cut(sheet, {80 * state, 30 * (id - 1), 80 * state + 80, 30 * id}));
  for (size_t a = 0; a < cells.size(); ++a)
    for (size_t b = a + 1; b < cells.size(); ++b) EXPECT_GT(DifferingPixels(cells[a], cells[b]), 100) << a << " " << b;
}

}  // namespace
}  // namespace velmora
