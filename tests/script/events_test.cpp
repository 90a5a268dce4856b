// Which event starts where, what finishing one does, and the ending screen.
#include <gtest/gtest.h>

#include <array>

#include "gfx/canvas.h"
#include "gfx/sjis.h"
#include "play_fixture.h"

namespace velmora {
namespace {

using testing::Play;
using testing::ScratchDir;

// A new game's state, without an asset file: the event rules read nothing else.
class NewGame {
 public:
  NewGame() {
    form.Modes.ResetGameState();
    s.DayCount = 1;  // a Monday, and not a multiple of 3: every heroine is free
  }
  void OnlyOpen(int event) {
    s.EventState.Fill(0);
    s.EventState[event] = 1;
  }
  ScratchDir dir;
  HeadlessHost host{dir.Path()};
  TForm1& form = host.Start();
  GameState& s = form.State;
};

// Place and heroine of events 1..14, as the scenario places them.
constexpr std::array<uint8_t, 15> kPlaceOf = {0, 10, 13, 10, 2, 5, 2, 10, 2, 5, 13, 6, 7, 8, 2};
constexpr std::array<uint8_t, 15> kHeroineOf = {0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3, 0, 0, 0, 0};

TEST(EventState, ANewGameOpensEventsOneSixNineTenAndEleven) {
  NewGame g;
  for (int e = 1; e <= 14; ++e)
    EXPECT_EQ(g.s.EventState[e], (e == 1 || e == 6 || e == 9 || e == 10 || e == 11) ? 1 : 0) << e;
}

TEST(ChooseEvent, EveryEventStartsAtItsPlaceWhenOpenAndItsHeroineIsFree) {
  NewGame g;
  for (int e = 1; e <= 14; ++e) {
    const uint8_t heroine = kHeroineOf[static_cast<size_t>(e)];
    g.OnlyOpen(e);
    g.s.CurrentPlace = kPlaceOf[static_cast<size_t>(e)];
    g.s.Partner = 3;
    g.s.HeroineWait.Fill(0);
    g.form.Event.ChooseEvent();
    EXPECT_EQ(g.s.CurrentEvent, e);
    EXPECT_EQ(g.s.Partner, heroine) << e;
    // A wait, a locked or a finished event, and home start nothing; Partner stays.
    g.s.Partner = 3;
    g.s.HeroineWait[heroine] = 1;
    g.form.Event.ChooseEvent();
    EXPECT_EQ(g.s.CurrentEvent, 0) << e;
    EXPECT_EQ(g.s.Partner, 3);
    g.s.HeroineWait[heroine] = 0;
    for (uint8_t state : {0, 2}) {
      g.s.EventState[e] = state;
      g.form.Event.ChooseEvent();
      EXPECT_EQ(g.s.CurrentEvent, 0) << e;
    }
    g.s.EventState[e] = 1;
    g.s.CurrentPlace = 1;
    g.form.Event.ChooseEvent();
    EXPECT_EQ(g.s.CurrentEvent, 0);
    // Any other place starts nothing either.
    g.s.CurrentPlace = kPlaceOf[static_cast<size_t>(e)] == 16 ? 15 : 16;
    g.form.Event.ChooseEvent();
    EXPECT_EQ(g.s.CurrentEvent, 0);
  }
}

TEST(ChooseEvent, TheLowestAllowedEventAtThePlaceWins) {
  NewGame g;
  // Place 10 on a Sunday with event 1 open: nothing starts there.
  g.s.DayCount = 7;
  g.s.CurrentPlace = 10;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 0);
  // Place 2 with events 4 and 6 open: 4.
  g.s.DayCount = 1;
  g.s.EventState[4] = 1;
  g.s.CurrentPlace = 2;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 4);
  EXPECT_EQ(g.s.Partner, 1);
  // Heroine 1 away on Sunday does not block event 14 at her house.
  g.s.EventState[14] = 1;
  g.s.DayCount = 14;
  g.s.Partner = 2;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 14);
  EXPECT_EQ(g.s.Partner, 0);
  // Place 5: event 5 open but heroine 1 waits, event 9 open and heroine 2 free.
  g.s.DayCount = 1;
  g.s.EventState[5] = 1;
  g.s.HeroineWait[1] = 1;
  g.s.CurrentPlace = 5;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 9);
  EXPECT_EQ(g.s.Partner, 2);
  // Event 7 is refused on Saturday, event 1 at the same place is not.
  g.s.HeroineWait[1] = 0;
  g.OnlyOpen(7);
  g.s.CurrentPlace = 10;
  g.s.DayCount = 6;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 0);
  g.s.EventState[1] = 1;
  g.form.Event.ChooseEvent();
  EXPECT_EQ(g.s.CurrentEvent, 1);
}

TEST(PartnerAvailable, TheDayRulesOfEveryHeroine) {
  NewGame g;
  // One character per day, days 0..20.
  struct Rule {
    int Heroine;
    uint8_t Event;
    const char* Days;
  };
  for (const Rule& rule : {Rule{0, 11, "111111111111111111111"}, Rule{1, 1, "011111101111110111111"},
                           Rule{1, 7, "011111001111100111110"}, Rule{2, 9, "111110111111011111101"},
                           Rule{3, 10, "011011011011011011011"}}) {
    g.s.CurrentEvent = rule.Event;
    for (int day = 0; day <= 20; ++day) {
      g.s.DayCount = day;
      EXPECT_EQ(g.form.Event.PartnerAvailable(rule.Heroine), rule.Days[day] == '1')
          << "heroine " << rule.Heroine << " event " << int(rule.Event) << " day " << day;
    }
  }
  // Heroine 3 is never available on days 3, 6, 9, ...: event 10 never starts then.
  g.OnlyOpen(10);
  g.s.CurrentPlace = 13;
  for (int day = 3; day <= 30; day += 3) {
    g.s.DayCount = day;
    g.form.Event.ChooseEvent();
    EXPECT_EQ(g.s.CurrentEvent, 0) << day;
  }
  EXPECT_THROW(g.form.Event.PartnerAvailable(4), GameError);
}

TEST(FinishEvent, EveryRecordsOutcome) {
  struct Outcome {
    int Opens, Place, MovesTo, Wait, Closes;
  };
  const std::array<Outcome, 15> outcomes = {{{},
                                             {2, 0, 0, 1, 0},
                                             {3, 0, 0, 1, 0},
                                             {4, 2, 2, 2, 0},
                                             {5, 0, 0, 1, 0},
                                             {7, 0, 0, 1, 0},
                                             {0, 0, 0, 1, 0},
                                             {8, 0, 0, 1, 6},
                                             {0, 0, 0, 2, 0},
                                             {0, 0, 0, 1, 0},
                                             {0, 0, 0, 1, 0},
                                             {12, 0, 0, 1, 0},
                                             {13, 0, 0, 1, 0},
                                             {0, 0, 0, 1, 0},
                                             {0, 0, 0, 1, 0}}};
  NewGame g;
  for (int e = 1; e <= 14; ++e) {
    const Outcome& o = outcomes[static_cast<size_t>(e)];
    g.s.EventState.Fill(0);
    g.s.EventState[6] = 1;  // open, so that closing it shows
    g.s.PlaceOpen.Fill(0);
    g.s.HeroineWait.Fill(0);
    g.s.CurrentPlace = 9;
    g.s.TimeSlot = 20;
    g.s.CurrentEvent = static_cast<uint8_t>(e);
    g.s.Partner = kHeroineOf[static_cast<size_t>(e)];
    g.form.Event.FinishEvent();
    for (int j = 1; j <= 14; ++j) {
      int expected = j == 6 && o.Closes != 6 ? 1 : 0;
      if (j == o.Opens) expected = 1;
      if (j == e) expected = 2;
      EXPECT_EQ(g.s.EventState[j], expected) << "event " << e << ", state of " << j;
    }
    for (int place = 1; place <= 16; ++place) EXPECT_EQ(g.s.PlaceOpen[place], place == o.Place ? 1 : 0) << e;
    EXPECT_EQ(g.s.CurrentPlace, o.MovesTo != 0 ? o.MovesTo : 9) << e;
    for (int h = 0; h <= 3; ++h) EXPECT_EQ(g.s.HeroineWait[h], h == g.s.Partner ? o.Wait : 0) << e;
    EXPECT_EQ(g.s.TimeSlot, 21);
  }
}

TEST(FinishEvent, OpensOnlyLockedEventsClosesOnlyOpenOnesAndWaitsByPartner) {
  NewGame g;
  g.s.EventState[2] = 2;
  g.s.CurrentEvent = 1;
  g.s.Partner = 1;
  g.form.Event.FinishEvent();
  EXPECT_EQ(g.s.EventState[2], 2);
  for (uint8_t sixth : {0, 2}) {
    g.s.EventState[6] = sixth;
    g.s.CurrentEvent = 7;
    g.form.Event.FinishEvent();
    EXPECT_EQ(g.s.EventState[6], sixth);
    EXPECT_EQ(g.s.EventState[8], 1);
    EXPECT_EQ(g.s.HeroineWait[1], 1);
  }
  // The wait goes to whoever is the partner now, not to the record's heroine.
  g.s.HeroineWait.Fill(0);
  g.s.CurrentEvent = 3;
  g.s.Partner = 2;
  g.form.Event.FinishEvent();
  EXPECT_EQ(g.s.HeroineWait[2], 2);
  EXPECT_EQ(g.s.HeroineWait[1], 0);
  g.s.CurrentEvent = 11;
  g.s.Partner = 0;
  g.s.TimeSlot = 255;
  g.form.Event.FinishEvent();
  EXPECT_EQ(g.s.HeroineWait[0], 1);
  EXPECT_EQ(g.s.TimeSlot, 0);  // a byte
}

TEST(FinishEvent, NumbersOutsideTheTableChangeNothing) {
  NewGame g;
  g.s.TimeSlot = 7;
  g.s.CurrentPlace = 9;
  const auto states = g.s.EventState;
  const auto places = g.s.PlaceOpen;
  struct Case {
    uint8_t Event, Partner;
    const char* Message;
  };
  for (const Case& c : {Case{0, 1, "イベントの番号が範囲外です (0)"}, Case{15, 1, "イベントの番号が範囲外です (15)"},
                        Case{255, 0, "イベントの番号が範囲外です (255)"}, Case{3, 4, "ヒロインの番号が範囲外です (4)"},
                        Case{1, 255, "ヒロインの番号が範囲外です (255)"}}) {
    g.s.CurrentEvent = c.Event;
    g.s.Partner = c.Partner;
    EXPECT_EQ(Play::ErrorOf([&] { g.form.Event.FinishEvent(); }), c.Message);
    EXPECT_TRUE(g.s.EventState == states);
    EXPECT_TRUE(g.s.PlaceOpen == places);
    EXPECT_EQ(g.s.TimeSlot, 7);
    EXPECT_EQ(g.s.CurrentPlace, 9);
    for (int h = 0; h <= 3; ++h) EXPECT_EQ(g.s.HeroineWait[h], 0);
  }
}

TEST(ShowEnding, TheEnterPhaseMarksThePartnersRouteAndLeavesTheScreenAlone) {
  Play p("*x\n");
  for (uint8_t partner = 0; partner <= 3; ++partner) {
    p.s.EventState.Fill(1);
    p.s.Partner = partner;
    p.form.ImageBa.Bitmap.Fill(0x305070);
    const Picture before = p.form.ImageBa.Bitmap;
    p.form.Event.ShowEnding(0);
    for (int e = 1; e <= 14; ++e) {
      const bool route = (partner == 1 && e <= 8) || (partner == 2 && e == 9) || (partner == 3 && e == 10);
      EXPECT_EQ(p.s.EventState[e], route ? 2 : 1) << "partner " << int(partner) << " event " << e;
    }
    EXPECT_TRUE(p.form.ImageBa.Bitmap == before);
  }
  p.s.EventState.Fill(1);
  p.s.Partner = 4;
  EXPECT_THROW(p.form.Event.ShowEnding(0), GameError);
  for (int e = 1; e <= 14; ++e) EXPECT_EQ(p.s.EventState[e], 1);
}

TEST(ShowEnding, TheSettlePhaseWritesTheLineOfEventsEightAndFourteen) {
  Play p("*x\n");
  struct Case {
    uint8_t Event;
    const char* Line;
  };
  for (const Case& c : {Case{8, "続きは本編でお楽しみ下さい。"}, Case{14, "BAD　END・・・再挑戦してね。"}, Case{3, ""},
                        Case{0, ""}, Case{10, ""}}) {
    p.s.CurrentEvent = c.Event;
    p.form.ImageBa.Bitmap.Fill(0x305070);
    Picture expected = p.form.ImageBa.Bitmap;
    p.form.Event.ShowEnding(1);
    TextOut(expected, p.form.ImageBa.Canvas, 250, 380, Sjis(c.Line));
    EXPECT_TRUE(p.form.ImageBa.Bitmap == expected) << int(c.Event);
  }
}

TEST(ShowEnding, PlayReachesTheEndingAndAClickReturnsToTheTitle) {
  testing::TestGame game(std::string("*mirel_8\n<Aite0>\nbye\n*end\n"));
  game.RunToTitle();
  game.form().Modes.ResetGameState();
  game.state().Partner = 1;
  game.state().CurrentEvent = 8;
  game.state().TargetPlace = 2;
  game.form().Modes.SwitchMode(6, 1);
  EXPECT_TRUE(game.host().RunUntilIdle());
  game.host().Click(440, 450);  // "*end"
  EXPECT_EQ(game.state().ScreenMode, 7);
  EXPECT_TRUE(game.host().RunUntilIdle());
  for (int e = 1; e <= 8; ++e) EXPECT_EQ(game.state().EventState[e], 2) << e;
  EXPECT_EQ(game.state().EventState[9], 1);
  EXPECT_EQ(game.state().CurrentEvent, 8);
  game.host().Click(10, 10);
  EXPECT_TRUE(game.host().RunUntilIdle());
  EXPECT_EQ(game.state().ScreenMode, 1);
  EXPECT_EQ(game.state().EventState[1], 1);  // a full reset
  EXPECT_TRUE(game.host().Messages().empty());
}

}  // namespace
}  // namespace velmora
