#include <gtest/gtest.h>

#include <climits>

#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "town/town_fixture.h"

namespace velmora {
namespace {

using testing::BackdropColor;
using testing::FirstTextColumn;
using testing::HasText;
using testing::StartsAt;
using testing::TownGame;

constexpr uint32_t kGarbage = 0x123456;

TEST(StatusPanel, RightAlignXEndsThreeCharacterValuesTogether) {
  const std::pair<int32_t, int32_t> table[] = {
      {0, 16},   {9, 16},     {10, 8},    {99, 8},          {100, 0},        {999, 0},       {1000, 0},
      {-1, 8},   {-9, 8},     {-10, 0},   {-99, 0},         {-100, -8},      {-999, -8},     {-1000, 0},
      {INT_MAX, 0}, {INT_MIN, 0}};
  for (const auto& [v, dx] : table) EXPECT_EQ(StatusPanel::RightAlignX(v, 500), 500 + dx) << v;
  // Points and deductions as the panel places them.
  const std::pair<int32_t, int32_t> screen[] = {{200, 582}, {95, 590}, {5, 598}, {-10, 582}, {-5, 590}, {-130, 574}};
  for (const auto& [v, x] : screen) EXPECT_EQ(StatusPanel::RightAlignX(v, 582), x) << v;
}

TEST(StatusPanel, OnlyHeroineOneIsNamedAndOnlyAfterHerSecondEvent) {
  TownGame game;
  game.SetUpDay(1);
  const StatusPanel& panel = game.form().Status;
  EXPECT_EQ(panel.PartnerLabel(1), "***");
  game.state().EventState[2] = 2;
  EXPECT_EQ(panel.PartnerLabel(1), Sjis("Mirel"));
  for (uint8_t p : {0, 2, 3, 4, 200}) EXPECT_EQ(panel.PartnerLabel(p), "***") << int(p);
}

// Fills the screen with a colour the backdrop never has, so both the restored field
// background and anything drawn outside the field show.
void Scribble(TForm1& form) { form.ImageBa.Bitmap.Fill(kGarbage); }

// True when every pixel outside Area is still the scribble.
bool OnlyInside(const Picture& screen, const Rect& area) {
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (!(x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom) && screen.PixelColor(x, y) != kGarbage)
        return false;
  return true;
}

TEST(StatusPanel, EachFieldRestoresItsBackgroundAndWritesAtItsPlace) {
  TownGame game;
  TForm1& form = game.form();
  GameState& s = game.state();
  const Picture& screen = form.ImageBa.Bitmap;
  game.SetUpDay(1);
  struct Case {
    int field;
    int32_t value;
    int x;             // where the text is written; -1 none
    const char* text;  // what is written there
  };
  const Case cases[] = {{1, 0, 537, "10 : 00"}, {2, 3, 567, "水"},    {3, 200, 582, "200"},  {3, 95, 590, "95"},
                        {3, 5, 598, "5"},        {4, -10, 582, "-10"}, {4, -5, 590, "-5"},    {4, -130, 574, "-130"},
                        {4, 0, -1, ""},          {5, 30, 585, "30 %"}, {5, 100, 577, "100 %"}, {6, 0, -1, ""}};
  for (const Case& c : cases) {
    Scribble(form);
    form.Status.DrawStatusField(c.field, c.value);
    const Rect& r = StatusRects[c.field];
    if (c.x < 0)
      EXPECT_FALSE(HasText(screen, r)) << c.field << " " << c.value;
    else
      EXPECT_TRUE(StartsAt(screen, r, c.x, Sjis(c.text), c.field == 1 ? 20 : 12)) << c.field << " " << c.value;
    // No scribble survives inside the field, and nothing but the clock's wide text leaves it.
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) ASSERT_NE(screen.PixelColor(x, y), kGarbage) << c.field;
    if (c.field != 1) {
      EXPECT_TRUE(OnlyInside(screen, r)) << c.field << " " << c.value;
    }
  }
  // The name stands beside a gauge only for heroines 1 and 2 with a gauge above 0; any
  // other partner number never touches the gauges.
  const struct {
    uint8_t partner;
    int32_t gauge;
    int x;
  } names[] = {{1, 40, 534}, {2, 40, 534}, {1, 0, 555}, {3, 40, 555}, {200, 40, 555}};
  for (const auto& n : names) {
    s.Partner = n.partner;
    s.HeroineGauge.Fill(n.gauge);
    Scribble(form);
    form.Status.DrawStatusField(6, n.partner);
    EXPECT_TRUE(StartsAt(screen, StatusRects[6], n.x, "***")) << int(n.partner);
  }
  // The box's cost: no background of its own, under the box's top edge.
  s.TargetPlace = 16;  // zone 12: the box stands at 270
  Scribble(form);
  form.Status.DrawStatusField(7, 120);
  const Rect cost{187, 299, 230, 320};
  EXPECT_TRUE(OnlyInside(screen, cost));
  form.Assets.DrawAssetAt(0, 0, TownBackdrop, 0);
  form.Status.DrawStatusField(7, 120);
  EXPECT_TRUE(StartsAt(screen, cost, 187, "120"));
}

TEST(StatusPanel, AllFieldsGoIntoBackBufferThroughTheScratchLayer) {
  TownGame game;
  TForm1& form = game.form();
  GameState& s = game.state();
  game.SetUpDay(5);
  s.Points = 95;
  s.CurrentPlace = 4;  // phase 5 away from home: the deduction is still not drawn here
  s.Partner = 1;
  s.HeroineGauge[0] = 40;
  form.Assets.LoadBackdrop(TownBackdrop);
  form.ImageMap.Bitmap.Fill(kGarbage);
  Scribble(form);
  form.Status.RefreshStatus(1);
  const Picture& back = form.BackBuffer;
  for (int k : {1, 2, 3, 5, 6}) EXPECT_TRUE(HasText(back, StatusRects[k])) << k;
  EXPECT_FALSE(HasText(back, StatusRects[4]));
  EXPECT_TRUE(StartsAt(back, StatusRects[3], 590, "95"));
  EXPECT_TRUE(StartsAt(back, StatusRects[5], 585, "40 %"));
  EXPECT_TRUE(StartsAt(back, StatusRects[6], 534, "***"));
  // Outside the six fields BackBuffer is the backdrop, and the screen is not touched.
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      bool inField = false;
      for (int k = 1; k <= 6; ++k) {
        const Rect& r = StatusRects[k];
        inField |= x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      }
      if (!inField) {
        ASSERT_EQ(back.PixelColor(x, y), BackdropColor(x, y)) << x << "," << y;
      }
    }
  EXPECT_TRUE(OnlyInside(form.ImageBa.Bitmap, Rect{}));

  // Heroine 3 has no gauge: only her name, at the right-hand place.
  s.Partner = 3;
  form.Assets.LoadBackdrop(TownBackdrop);
  form.Status.RefreshStatus(1);
  EXPECT_FALSE(HasText(back, StatusRects[5]));
  EXPECT_TRUE(StartsAt(back, StatusRects[6], 555, "***"));
  s.Partner = 0;
  form.Assets.LoadBackdrop(TownBackdrop);
  form.Status.RefreshStatus(1);
  EXPECT_FALSE(HasText(back, StatusRects[6]));
}

TEST(StatusPanel, RefreshOnScreenDrawsWhatTheStateShows) {
  TownGame game;
  TForm1& form = game.form();
  GameState& s = game.state();
  const Picture& screen = form.ImageBa.Bitmap;
  game.SetUpDay(5);
  s.CurrentPlace = 4;
  Scribble(form);
  form.Status.RefreshStatus(0);
  EXPECT_TRUE(StartsAt(screen, StatusRects[4], 582, "-10"));  // -10: the walk home at night
  // No partner: the gauge and name fields are neither drawn nor cleared.
  EXPECT_EQ(screen.PixelColor(StatusRects[5].Left, StatusRects[5].Top), kGarbage);
  EXPECT_EQ(screen.PixelColor(StatusRects[6].Left, StatusRects[6].Top), kGarbage);

  s.CurrentPlace = 1;
  s.Partner = 3;
  s.HeroineGauge.Fill(50);
  Scribble(form);
  form.Status.RefreshStatus(0);
  EXPECT_FALSE(HasText(screen, StatusRects[4]));  // at home nothing is deducted
  EXPECT_EQ(screen.PixelColor(StatusRects[5].Left, StatusRects[5].Top), kGarbage);
  EXPECT_TRUE(HasText(screen, StatusRects[6]));

  s.Partner = 2;
  Scribble(form);
  form.Status.RefreshStatus(0);
  EXPECT_TRUE(HasText(screen, StatusRects[5]));
  EXPECT_TRUE(StartsAt(screen, StatusRects[6], 534, "***"));

  Scribble(form);
  form.Status.RefreshStatus(2);  // any other argument draws nothing
  EXPECT_TRUE(OnlyInside(screen, Rect{}));
}

}  // namespace
}  // namespace velmora
