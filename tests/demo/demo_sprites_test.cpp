// The sprites: pieces the game cuts and draws with the colour of their own top-left
// pixel transparent. That colour must lie around the figure only, or the drawn sprite
// has holes.
#include <gtest/gtest.h>

#include "demo/demo_art.h"
#include "town/town_map.h"

namespace velmora {
namespace {

using testing::Cut;
using testing::DemoPicture;
using testing::DifferingPixels;
using testing::KeyOnlyAroundTheFigure;
using testing::Luma;

constexpr uint32_t kKey = 0xFF00FF;

// Checks one sprite cell: keyed by its top-left pixel, no holes, and mostly figure.
void ExpectSprite(const Picture& sheet, const Rect& cell, double minFigureShare) {
  const Picture piece = Cut(sheet, cell);
  EXPECT_EQ(piece.PixelColor(0, 0), kKey);
  EXPECT_TRUE(KeyOnlyAroundTheFigure(piece, kKey));
  int figure = 0;
  for (int y = 0; y < piece.Height(); ++y)
    for (int x = 0; x < piece.Width(); ++x) figure += piece.PixelColor(x, y) != kKey;
  EXPECT_GE(figure, minFigureShare * piece.Width() * piece.Height());
}

TEST(DemoSprites, PlaceLabelsAndTheMarkerAreWholeFiguresOnTheKey) {
  const Picture& sprites = DemoPicture("town_sprites");
  for (int place = 1; place <= 16; ++place) {
    SCOPED_TRACE(place);
    const Rect cell = PlaceTable[place].SpriteRect;
    ExpectSprite(sprites, cell, place == 13 ? 0.6 : 0.9);
    // Text on the plaque: some pixels much darker than the plaque itself.
    const Picture piece = Cut(sprites, cell);
    int ink = 0;
    for (int y = 0; y < piece.Height(); ++y)
      for (int x = 0; x < piece.Width(); ++x) ink += piece.PixelColor(x, y) != kKey && Luma(piece.PixelColor(x, y)) < 110;
    EXPECT_GT(ink, 15);
  }
  ExpectSprite(sprites, {313, 70, 335, 120}, 0.3);
  // The districts 12 and 13 overlap on the map; where 13's label would cover 12's, it
  // is key colour, so neither label hides the other.
  const Rect d13 = PlaceTable[13].SpriteRect;
  for (int x = 67; x < 101; ++x)
    EXPECT_EQ(sprites.PixelColor(d13.Left + x - 10, d13.Top + 1), kKey) << x;  // map row 121
}

TEST(DemoSprites, ConfirmationBoxHasItsCostFieldPreviewAndPressedButtons) {
  const Picture& sprites = DemoPicture("town_sprites");
  // The cost is written in white at x 167..191, y 29..45 of the box.
  for (int y = 29; y < 46; ++y)
    for (int x = 167; x < 192; ++x) ASSERT_LT(Luma(sprites.PixelColor(x, y)), 100) << x << "," << y;
  // The pressed buttons are drawn over the box's own buttons at (204,55) and (249,55).
  for (int k = 0; k < 2; ++k) {
    const Picture pressed = Cut(sprites, {300, 24 * k, 340, 24 * k + 24});
    const Picture normal = Cut(sprites, {204 + 45 * k, 55, 244 + 45 * k, 79});
    EXPECT_GT(DifferingPixels(pressed, normal), 200);
    EXPECT_EQ(pressed.PixelColor(0, 0), normal.PixelColor(0, 0));  // same box behind both
  }
}

TEST(DemoSprites, PageButtonCellsAreKeyedAndShowTwoLabelsInTwoLooks) {
  const Picture& sheet = DemoPicture("page_button");
  std::vector<Picture> cells;
  for (int row = 0; row < 4; ++row) {
    ExpectSprite(sheet, {0, 20 * row, 70, 20 * row + 20}, 0.9);
    cells.push_back(Cut(sheet, {0, 20 * row, 70, 20 * row + 20}));
  }
  EXPECT_GT(DifferingPixels(cells[0], cells[1]), 300);  // next: normal, pressed
  EXPECT_GT(DifferingPixels(cells[2], cells[3]), 300);  // back: normal, pressed
  EXPECT_GT(DifferingPixels(cells[0], cells[2]), 40);   // two different labels
}

TEST(DemoSprites, CardCellsAreKeyedAndEveryFaceDiffers) {
  const Picture& cards = DemoPicture("card_sheet");
  std::vector<Picture> faces;
  for (int v = 0; v <= 5; ++v) {
    SCOPED_TRACE(v);
    ExpectSprite(cards, {90 * v, 0, 90 * v + 90, 125}, 0.9);
    ExpectSprite(cards, {540 + 50 * v, 0, 590 + 50 * v, 125}, 0.2);
    faces.push_back(Cut(cards, {90 * v, 0, 90 * v + 90, 125}));
  }
  for (size_t a = 0; a < faces.size(); ++a)
    for (size_t b = a + 1; b < faces.size(); ++b) EXPECT_GT(DifferingPixels(faces[a], faces[b]), 1000) << a << " " << b;
  // The edge-on back and the edge-on faces look different (the turn shows the face side).
  EXPECT_GT(DifferingPixels(Cut(cards, {540, 0, 590, 125}), Cut(cards, {590, 0, 640, 125})), 500);
}

}  // namespace
}  // namespace velmora
