// Script lines, tags, labels and arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/sjis.h"
#include "support/fixtures.h"

namespace velmora {
namespace {

using testing::ScratchDir;
using testing::TestGame;
using Lines = std::vector<std::string>;

// A game without an asset file: enough for the label rules, whose only input is the
// line list and the state.
class NoAssets {
 public:
  NoAssets() { form.ScriptLines.Assign({}); }
  ScratchDir dir;
  HeadlessHost host{dir.Path()};
  TForm1& form = host.Start();
  GameState& s = form.State;
};

std::string Bytes(const char* text, size_t length) { return std::string(text, length); }

TEST(SplitLines, CrLfCrAndLfAreOneBreakEach) {
  const Lines abc = {"a", "b", "c"};
  EXPECT_EQ(ScriptText::SplitLines("a\r\nb\r\nc"), abc);
  EXPECT_EQ(ScriptText::SplitLines("a\nb\nc"), abc);
  EXPECT_EQ(ScriptText::SplitLines("a\rb\rc"), abc);
  EXPECT_EQ(ScriptText::SplitLines("a\rb\nc\r\n"), abc);
  EXPECT_EQ(ScriptText::SplitLines("a\r\nb"), (Lines{"a", "b"}));
  // LF then CR is two breaks, with an empty line between them.
  EXPECT_EQ(ScriptText::SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ScriptText::SplitLines("a\r\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ScriptText::SplitLines("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ScriptText::SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, TheEndOfTheTextAddsNoEmptyLine) {
  EXPECT_EQ(ScriptText::SplitLines(""), Lines{});
  EXPECT_EQ(ScriptText::SplitLines("a"), Lines{"a"});
  EXPECT_EQ(ScriptText::SplitLines("a\n"), Lines{"a"});
  EXPECT_EQ(ScriptText::SplitLines("a\r"), Lines{"a"});
  EXPECT_EQ(ScriptText::SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(ScriptText::SplitLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(ScriptText::SplitLines("a\n\r"), (Lines{"a", ""}));
  EXPECT_EQ(ScriptText::SplitLines("\n"), Lines{""});
  EXPECT_EQ(ScriptText::SplitLines("\r\n\r\n"), (Lines{"", ""}));
}

TEST(SplitLines, NulEndsTheText) {
  EXPECT_EQ(ScriptText::SplitLines(Bytes("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
  EXPECT_EQ(ScriptText::SplitLines(Bytes("\0abc", 4)), Lines{});
  EXPECT_EQ(ScriptText::SplitLines(Bytes("a\n\0\nb", 5)), Lines{"a"});
  EXPECT_EQ(ScriptText::SplitLines(Bytes("a\r\0\nb", 5)), Lines{"a"});
}

TEST(SplitLines, LinesKeepTheirBytes) {
  EXPECT_EQ(ScriptText::SplitLines("  a \t\n\t<B> \n"), (Lines{"  a \t", "\t<B> "}));
  const std::string japanese = Sjis("春休みの最後の一週間。ソ表");  // 0x5C trail bytes included
  EXPECT_EQ(ScriptText::SplitLines(japanese + "\r\n" + japanese), (Lines{japanese, japanese}));
  EXPECT_EQ(ScriptText::SplitLines("\xFF\x80\x7F\n"), Lines{"\xFF\x80\x7F"});
}

TEST(TagIndex, WholeLinesWithTheirCase) {
  const Lines tags = {"<B>",       "<CG>",     "<CG_text>",  "BL",      "<Aite_f>", "<Aite_h>", "<Aite0>",
                      "<Sentaku>", "<Game>",   "*next_ba",   "*next_time", "*ending", "*end",   "<f_Change>"};
  for (size_t i = 0; i < tags.size(); ++i) EXPECT_EQ(ScriptText::TagIndex(tags[i]), static_cast<int>(i) + 1) << tags[i];
  for (const char* text : {"", "<B> ", " <B>", "<b>", "bl", "Bl", "BL ", "*END", "*Next_ba", "*next_ba2", "*next",
                           "*OP", "<CG_TEXT>", "<Sentaku", "<B>\t", "text"})
    EXPECT_EQ(ScriptText::TagIndex(text), 0) << "'" << text << "'";
}

TEST(FindLabel, WholeLineIgnoringAsciiCase) {
  NoAssets g;
  g.form.ScriptLines.Assign({"text", "*OP ", "*OPX", " *OP", "*op", "*OP", "x", "", "*mirel_1", "", "*MIREL_1"});
  EXPECT_EQ(g.form.Script.FindLabel("*OP"), 5);  // "*op" at index 4: case ignored, blanks not
  EXPECT_EQ(g.form.Script.FindLabel("*oP"), 5);
  EXPECT_EQ(g.form.Script.FindLabel("*OP "), 2);
  EXPECT_EQ(g.form.Script.FindLabel("*Mirel_1"), 9);  // the first of two equal labels wins
  EXPECT_EQ(g.form.Script.FindLabel("*mirel_"), 0);
  EXPECT_EQ(g.form.Script.FindLabel("*sanu_1"), 0);
  EXPECT_EQ(g.form.Script.FindLabel(""), 8);  // the empty label finds the first empty line
  g.form.ScriptLines.Assign({"a", " "});
  EXPECT_EQ(g.form.Script.FindLabel(""), 0);
  g.form.ScriptLines.Assign({});
  EXPECT_EQ(g.form.Script.FindLabel("*OP"), 0);
}

TEST(FindLabel, DoubleByteCharactersAreComparedExactly) {
  NoAssets g;
  // "ア" is 83 41 and "チ" is 83 61: folding the trail byte as a letter would mix them.
  const std::string a = Sjis("*ア"), chi = Sjis("*チ");
  ASSERT_EQ(a.size(), chi.size());
  g.form.ScriptLines.Assign({chi, Sjis("*ＯＰ"), a});
  EXPECT_EQ(g.form.Script.FindLabel(a), 3);
  EXPECT_EQ(g.form.Script.FindLabel(chi), 1);
  EXPECT_EQ(g.form.Script.FindLabel(Sjis("*ｏｐ")), 0);  // only ASCII letters ignore case
  EXPECT_EQ(g.form.Script.FindLabel(Sjis("*ＯＰ")), 2);
}

TEST(MapEventNumber, BlocksOfEventsAndEventsOfBlocks) {
  NoAssets g;
  const int blocks[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 1, 1, 2, 3, 4, 5, 245};
  const int events[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255};
  for (size_t i = 0; i < std::size(events); ++i) EXPECT_EQ(g.form.Script.MapEventNumber(events[i], 0), blocks[i]);
  const int firstEvent[] = {11, 1, 9, 10};  // Partner 0, 1, 2, 3
  for (uint8_t partner = 0; partner <= 3; ++partner) {
    g.s.Partner = partner;
    EXPECT_EQ(g.form.Script.MapEventNumber(1, 1), firstEvent[partner]);
    EXPECT_EQ(g.form.Script.MapEventNumber(3, 1), firstEvent[partner] + 2);
  }
  g.s.Partner = 4;
  EXPECT_THROW(g.form.Script.MapEventNumber(1, 1), GameError);
}

TEST(EventLabel, EveryPartnerAndEvent) {
  NoAssets g;
  // Rows: Partner 0..3; columns: events 0..14.
  const std::vector<Lines> expected = {
      {"*OP", "*pan_1", "*pan_1", "*pan_1", "*mir_b_end", "", "", "", "", "*pan_1", "*pan_1", "*pan_1", "*pan_1",
       "*pan_1", "*mir_b_end"},
      {"*OP", "*mirel_1", "*mirel_2", "*mirel_3", "*mirel_4", "*mirel_5", "*mirel_6", "*mirel_7", "*mirel_8",
       "*mirel_1", "*mirel_1", "*mirel_1", "*mirel_2", "*mirel_3", "*mirel_4"},
      {"*OP", "*sanu_1", "*sanu_2", "*sanu_3", "*sanu_4", "*sanu_5", "*sanu_6", "*sanu_7", "*sanu_8", "*sanu_1",
       "*sanu_1", "*sanu_1", "*sanu_2", "*sanu_3", "*sanu_4"},
      {"*OP", "*orika_1", "*orika_2", "*orika_3", "*orika_4", "*orika_5", "*orika_6", "*orika_7", "*orika_8",
       "*orika_1", "*orika_1", "*orika_1", "*orika_2", "*orika_3", "*orika_4"},
  };
  for (uint8_t partner = 0; partner <= 3; ++partner) {
    g.s.Partner = partner;
    for (int event = 0; event <= 14; ++event)
      EXPECT_EQ(g.form.Script.EventLabel(event), expected[partner][static_cast<size_t>(event)])
          << "Partner " << int(partner) << " event " << event;
  }
  g.s.Partner = 1;
  EXPECT_EQ(g.form.Script.EventLabel(20), "*mirel_10");
  g.s.Partner = 4;
  EXPECT_EQ(g.form.Script.EventLabel(0), "*OP");
  EXPECT_THROW(g.form.Script.EventLabel(1), GameError);
}

TEST(EventLabel, LinesAfterTheLabels) {
  NoAssets g;
  g.form.ScriptLines.Assign({"*op", "<B>", "1", "*MIR_B_END", "x", "", "*sanu_1", "y", "*pan_1", "z"});
  g.s.Partner = 0;
  EXPECT_EQ(g.form.Script.EventLabelLine(0), 1);
  EXPECT_EQ(g.form.Script.EventLabelLine(14), 4);
  EXPECT_EQ(g.form.Script.EventLabelLine(12), 9);
  EXPECT_EQ(g.form.Script.EventLabelLine(5), 6);  // the empty label: the first empty line
  g.s.Partner = 2;
  EXPECT_EQ(g.form.Script.EventLabelLine(10), 7);  // event 10 with heroine 2 is her block 1
  EXPECT_EQ(g.form.Script.EventLabelLine(2), 0);
}

TEST(GameResultLabel, EveryRowOfTheResultTable) {
  NoAssets g;
  struct Row {
    uint8_t Partner;
    uint8_t Event;
    int Result;
    const char* Label;
  };
  const Row rows[] = {
      // A heroine: result 1 goes on in her block, the others share heroine-free labels.
      {1, 3, 1, "*mirel_3_1"}, {1, 8, 1, "*mirel_8_1"}, {2, 9, 1, "*sanu_1_1"}, {3, 10, 1, "*orika_1_1"},
      {3, 12, 1, "*orika_2_1"}, {1, 3, 2, "*pan_10_2"}, {2, 9, 3, "*pan_10_3"}, {3, 10, 4, "*pan_10_4"},
      {1, 1, 5, "*pan_10_5"},
      // No heroine.
      {0, 11, 1, "*pan_1_1"}, {0, 12, 1, "*pan_2_1"}, {0, 13, 1, "*pan_3_1"}, {0, 0, 1, "*pan_0_1"},
      {0, 19, 2, "*pan_9_2"}, {0, 19, 5, "*pan_9_5"}, {0, 20, 3, "*pan_10_3"}, {0, 21, 4, "*pan_10_4"},
      {0, 11, 2, "*pan_2"}, {0, 12, 3, "*pan_3"}, {0, 13, 4, "*pan_4"}, {0, 14, 5, "*pan_5"}, {0, 9, 2, "*pan_2"},
      {0, 22, 2, "*pan_2"},
  };
  for (const Row& row : rows) {
    g.s.Partner = row.Partner;
    g.s.CurrentEvent = row.Event;
    EXPECT_EQ(g.form.Script.GameResultLabel(row.Result), row.Label)
        << "Partner " << int(row.Partner) << " event " << int(row.Event) << " result " << row.Result;
  }
  for (int result : {0, 6, -1}) EXPECT_THROW(g.form.Script.GameResultLabel(result), GameError) << result;
  g.form.ScriptLines.Assign({"a", "*PAN_1_1", "b", "*pan_2", "c"});
  g.s.Partner = 0;
  g.s.CurrentEvent = 11;
  EXPECT_EQ(g.form.Script.GameResultLine(1), 2);
  EXPECT_EQ(g.form.Script.GameResultLine(2), 4);
  EXPECT_EQ(g.form.Script.GameResultLine(3), 0);
}

TEST(ParseArgument, WholeSigned32BitDecimalNumbers) {
  struct Good {
    const char* Line;
    int32_t Value;
  };
  for (const Good& good : {Good{"0", 0}, Good{"7", 7}, Good{"-7", -7}, Good{"+5", 5}, Good{"   12", 12},
                           Good{" -3", -3}, Good{"  +3", 3}, Good{"007", 7}, Good{"-0", 0}, Good{"17", 17},
                           Good{"2147483647", 2147483647}, Good{"+2147483647", 2147483647},
                           Good{"-2147483648", INT32_MIN}, Good{"-0002147483648", INT32_MIN}})
    EXPECT_EQ(ScriptText::ParseArgument(good.Line), good.Value) << good.Line;
  for (const std::string& bad :
       {std::string(""), std::string(" "), std::string("-"), std::string("+"), std::string("99999999999"),
        std::string("2147483648"), std::string("-2147483649"), std::string("99999999999999999999999"),
        std::string("12abc"), std::string("12 "), std::string("1 2"), std::string("- 5"), std::string("+-5"),
        std::string("--5"), std::string("\t5"), std::string("5\t"), std::string("0x10"), std::string("$10"),
        std::string("1.0"), std::string("1e3"), Sjis("１２"), Sjis("<B>")})
    EXPECT_THROW(ScriptText::ParseArgument(bad), GameError) << bad;
}

TEST(ParseArgument, TheMessageQuotesTheLine) {
  auto messageOf = [](const std::string& line) {
    try {
      ScriptText::ParseArgument(line);
    } catch (const GameError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageOf("12abc"), "'12abc' は整数ではありません");
  EXPECT_EQ(messageOf(""), "'' は整数ではありません");
  EXPECT_EQ(messageOf(Sjis("１２")), "'１２' は整数ではありません");
}

TEST(ArgumentAt, ReadsAScriptLineOrRaisesTheListError) {
  NoAssets g;
  g.form.ScriptLines.Assign({"<B>", " 5", "x"});
  EXPECT_EQ(g.form.Script.ArgumentAt(1), 5);
  EXPECT_THROW(g.form.Script.ArgumentAt(2), GameError);
  try {
    g.form.Script.ArgumentAt(3);
    ADD_FAILURE() << "no error";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (3)");
  }
}

TEST(LoadScript, ReadsFromScriptOffsetToTheEndOfTheAssetFile) {
  TestGame game(std::string("*OP\r\n<B>\n1\r春休み。\n\n  空白 \r\n"));
  const Lines expected = {"*OP", "<B>", "1", Sjis("春休み。"), "", Sjis("  空白 ")};
  EXPECT_EQ(game.form().ScriptLines.Lines(), expected);
  // The hidden reload command reads it again and leaves the play position alone.
  game.state().ScriptPos = 4;
  game.form().ScriptLines.Assign({"stale"});
  game.form().TEXT1Click();
  EXPECT_EQ(game.form().ScriptLines.Lines(), expected);
  EXPECT_EQ(game.state().ScriptPos, 4);
}

TEST(LoadScript, StopsAtNulAndToleratesAnEmptyScript) {
  TestGame withNul(std::string("*OP\nabc\0*hidden\nxyz", 19));
  EXPECT_EQ(withNul.form().ScriptLines.Lines(), (Lines{"*OP", "abc"}));
  TestGame empty(std::string(""));
  EXPECT_EQ(empty.form().ScriptLines.Count(), 0);
  EXPECT_TRUE(empty.host().Messages().empty());
}

TEST(ScriptPosLimit, LabelsPastTheLastAddressableLineAreRefused) {
  NoAssets g;
  Lines lines(70000, "text");
  lines[65533] = "*mirel_1";  // the line after it is 65534: still a word
  lines[65534] = "*mirel_2";  // 65535: the last one a word holds
  lines[65535] = "*mirel_3";  // 65536 would wrap round to line 0
  lines[69000] = "*pan_1_1";
  g.form.ScriptLines.Assign(lines);
  g.s.Partner = 1;
  EXPECT_EQ(g.form.Script.EventLabelLine(1), 65534);
  EXPECT_EQ(g.form.Script.EventLabelLine(2), 65535);
  EXPECT_EQ(g.form.Script.FindLabel("*mirel_3"), 65536);
  EXPECT_THROW(g.form.Script.EventLabelLine(3), GameError);
  g.s.Partner = 0;
  g.s.CurrentEvent = 11;
  EXPECT_THROW(g.form.Script.GameResultLine(1), GameError);
}

}  // namespace
}  // namespace velmora
