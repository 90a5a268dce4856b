// The choice panel: its option areas, how it draws and hovers, and where each pick goes.

#include "choice_fixture.h"

namespace velmora::choice_test {
namespace {

TEST_F(ChoiceTest, OptionAreasOfEachSet) {
  Choices& c = form().Choice;
  GameState& s = state();
  struct Probe {
    int32_t set, x, y, id;
  };
  const Probe probes[] = {
      // Set 2: two rows of one column.
      {2, 63, 414, 11}, {2, 163, 429, 11}, {2, 62, 420, 0}, {2, 164, 420, 0}, {2, 100, 413, 0},
      {2, 100, 430, 0}, {2, 100, 434, 12}, {2, 163, 449, 12}, {2, 100, 450, 0}, {2, 460, 450, 0},
      // Set 3: three options in a row and the closing one.
      {3, 63, 414, 11}, {3, 143, 429, 11}, {3, 144, 420, 0}, {3, 173, 420, 12}, {3, 253, 420, 12},
      {3, 283, 420, 13}, {3, 363, 429, 13}, {3, 400, 420, 0}, {3, 100, 440, 0}, {3, 460, 450, 18},
      {3, 460, 420, 0}, {3, 447, 440, 18}, {3, 479, 456, 18}, {3, 446, 450, 0}, {3, 480, 450, 0},
      {3, 460, 457, 0}, {3, 460, 439, 0},
      // Set 6: a fourth option in the row; the closing one as in set 3.
      {6, 393, 414, 14}, {6, 473, 429, 14}, {6, 460, 420, 14}, {6, 474, 420, 0}, {6, 460, 450, 18},
      {6, 100, 440, 0}, {6, 200, 440, 0},
      // Any other set has no options.
      {0, 100, 420, 0}, {4, 100, 420, 0}, {5, 460, 450, 0},
  };
  for (const Probe& p : probes) {
    s.ChoiceSet = p.set;
    EXPECT_EQ(c.ChoiceOptionAt(p.x, p.y), p.id) << "set " << p.set << " at " << p.x << "," << p.y;
  }
}

TEST_F(ChoiceTest, LowerOptionsOfSetSixOpenWithTheFirstGauge) {
  Choices& c = form().Choice;
  GameState& s = state();
  s.ChoiceSet = 6;
  const int32_t gauges[] = {0, 49, 50, 69, 70, 100};
  for (int32_t g : gauges) {
    s.HeroineGauge[0] = g;
    s.HeroineGauge[1] = 100;  // only the first heroine's gauge counts
    EXPECT_EQ(c.ChoiceOptionAt(63, 434), g >= 50 ? 15 : 0) << g;
    EXPECT_EQ(c.ChoiceOptionAt(143, 449), g >= 50 ? 15 : 0) << g;
    EXPECT_EQ(c.ChoiceOptionAt(173, 434), g >= 70 ? 16 : 0) << g;
    EXPECT_EQ(c.ChoiceOptionAt(253, 449), g >= 70 ? 16 : 0) << g;
    EXPECT_EQ(c.ChoiceOptionAt(300, 440), 0) << g;
    EXPECT_EQ(c.ChoiceOptionAt(460, 450), 18) << g;
  }
}

// Set 2 writes the question and the two options; the hovered option is written again in
// the question's style. Offsets: the town frame (0) or a full-screen picture (10, -5).
void ExpectSetTwoDrawing(TForm1& form, int dx, int dy, const std::string& q,
                         const std::string& o1, const std::string& o2, const Picture& window,
                         const Canvas& c0, const Canvas& c4) {
  Picture expected = window;
  TextOut(expected, c0, 35 + dx, 395 + dy, q);
  TextOut(expected, c4, 65 + dx, 415 + dy, o1);
  TextOut(expected, c4, 65 + dx, 435 + dy, o2);
  form.Choice.ChoicePanel(0);
  EXPECT_TRUE(form.ImageBa.Bitmap == expected) << "panel, offset " << dx;
  const Rect option1{65 + dx, 415 + dy, 265 + dx, 431 + dy};
  EXPECT_EQ(CountColour(form.ImageBa.Bitmap, option1, kWhite), 0) << "the options start grey";

  form.State.PressedButton = 0;
  form.Choice.ChoicePanel(11);
  TextOut(expected, c0, 65 + dx, 415 + dy, o1);
  const Rect status{572, 334, 618, 358};
  Picture hovered = form.ImageBa.Bitmap;
  CopyRect(hovered, status, expected, status);  // the status field is checked on its own
  EXPECT_TRUE(hovered == expected) << "hover, offset " << dx;
  EXPECT_GT(CountColour(form.ImageBa.Bitmap, option1, kWhite), 10) << "the hovered option is white";

  // Pointing away redraws the panel without the highlight.
  form.Choice.ChoicePanel(0);
  EXPECT_EQ(CountColour(form.ImageBa.Bitmap, option1, kWhite), 0);
}

TEST_F(ChoiceTest, SetTwoDrawsQuestionAndOptionsInTheTownFrameAndOverAPicture) {
  for (int cg : {0, 1}) {
    OpenChoice(2, static_cast<uint8_t>(cg));
    ExpectSetTwoDrawing(form(), cg ? 10 : 0, cg ? -5 : 0, Line(0), Line(1), Line(2), WindowOnly(),
                        StyleCanvas(0), StyleCanvas(4));
    EXPECT_TRUE(host().Messages().empty());
  }
}

TEST_F(ChoiceTest, HoverPreviewsTheCostOfAnotherDealOnTheFirstOptionOnly) {
  OpenChoice(2);
  const Rect status{572, 334, 618, 358};
  struct Case {
    int32_t retries, id, shown;
  };
  for (const Case& c : {Case{1, 11, -10}, Case{1, 12, 0}, Case{0, 11, 0}}) {
    state().GameRetries = c.retries;
    form().Status.DrawStatusField(4, -130);  // something else in the field first
    const Picture other = screen();
    form().Choice.ChoicePanel(c.id);
    const Picture hovered = screen();
    form().Status.DrawStatusField(4, c.shown);
    Picture fresh = screen();
    int differing = 0;
    for (int y = status.Top; y < status.Bottom; ++y)
      for (int x = status.Left; x < status.Right; ++x) differing += hovered.PixelColor(x, y) != fresh.PixelColor(x, y);
    EXPECT_EQ(differing, 0) << "retries " << c.retries << " option " << c.id;
    EXPECT_FALSE(other == hovered);
  }
}

TEST_F(ChoiceTest, SetsThreeAndSixCaptionTheirRowsFromTheLinesAfterTheArgument) {
  for (int32_t set : {3, 6}) {
    OpenChoice(set);
    form().Status.DrawStatusField(4, -130);
    Picture expected = WindowOnly();
    TextOut(expected, StyleCanvas(0), 35, 395, Line(0));
    TextOut(expected, StyleCanvas(4), 35, 415, Line(1));
    TextOut(expected, StyleCanvas(4), 35, 435, Line(2));
    form().Choice.ChoicePanel(0);
    EXPECT_TRUE(screen() == expected) << set;
    for (int32_t id : {11, 14, 18}) {
      form().Choice.ChoicePanel(id);  // a hover only redraws the panel
      EXPECT_TRUE(screen() == expected) << set << " hover " << id;
    }
    EXPECT_EQ(state().ScriptPos, QuestionLine());

    // A tag or label line ends the captions: here only the window is left.
    state().ScriptPos = static_cast<uint16_t>(QuestionLine() + 5);  // "*next_time"
    const Picture window = WindowOnly();
    form().Choice.ChoicePanel(0);
    EXPECT_TRUE(screen() == window) << set;
  }
}

TEST_F(ChoiceTest, ChoiceLinesPastTheEndOfTheScriptRaiseTheListError) {
  OpenChoice(2);
  const int64_t count = form().ScriptLines.Count();
  state().ScriptPos = static_cast<uint16_t>(count - 2);
  try {
    form().Choice.ChoicePanel(0);
    FAIL() << "no error";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "リストのインデックスが範囲を超えています (" + std::to_string(count) + ")");
  }
  state().ScriptPos = static_cast<uint16_t>(count - 1);
  state().PressedButton = 0;
  EXPECT_THROW(form().Choice.ChoicePanel(12), GameError);
}

}  // namespace
}  // namespace velmora::choice_test
