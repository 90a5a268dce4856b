// A translation from start to end with the shell tools: the demo taken apart, the
// opening's first page put into English, the script checked, the asset file rebuilt and
// checked, and the new file played headless: the English lines are drawn in the message
// window and handed to the text hook.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx/canvas.h"
#include "gfx/text_styles.h"
#include "platform/headless/headless_host.h"
#include "support/fixtures.h"
#include "tools/asset_folder.h"
#include "tools/tool_run.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using tools_test::RunTool;
using tools_test::ToolRun;

// A headless host that keeps the story lines (UTF-8) the game hands to the text hook.
class StoryHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  void StoryText(const std::string& line) override { Lines.push_back(line); }
  std::vector<std::string> Lines;
};

// Whether Line, drawn at (x, y) in the game's story style, stands there in the window:
// nearly every pixel its letters fully cover is light. (Text can be shaded a little
// differently on the window's picture, so a handful may differ.)
bool ShowsLine(const Picture& window, int x, int y, const std::string& line) {
  Canvas canvas;
  TextStyles::ApplyScreenStyle(canvas, 0);
  Picture ink(600, 20);
  TextOut(ink, canvas, 0, 0, line);
  int covered = 0, light = 0;
  for (int dy = 0; dy < ink.Height(); ++dy)
    for (int dx = 0; dx < ink.Width(); ++dx) {
      if (ink.PixelColor(dx, dy) != kWhite) continue;
      ++covered;
      const uint32_t c = window.PixelColor(x + dx, y + dy);
      if ((c & 0xFF) >= 0xC0 && ((c >> 8) & 0xFF) >= 0xC0 && ((c >> 16) & 0xFF) >= 0xC0) ++light;
    }
  return covered > 20 && light * 20 >= covered * 19;
}

TEST(Translation, TheOpeningInEnglishIsCheckedBuiltAndPlayed) {
  const fs::path extracted = tools_test::ExtractedDemo();
  std::ifstream in(extracted / kScriptFileName, std::ios::binary);
  std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string first = "Even now, I sometimes look back at this photo.";
  const std::string second = "I took it that spring, before my second year of high school.";
  const std::string japanese = "今でも時々、この写真を見返す。\n高校二年になる前の、春休みに撮った一枚だ。\n";
  const size_t at = script.find(japanese);
  ASSERT_NE(at, std::string::npos);
  script.replace(at, japanese.size(), first + "\n" + second + "\n");

  testing::ScratchDir dir;
  dir.Write("english.txt", script);
  const std::string english = dir.Path() + "/english.txt";
  const ToolRun scriptCheck = RunTool("qelvart_check", {english});
  EXPECT_EQ(scriptCheck.Status, 0) << scriptCheck.Output;
  EXPECT_NE(scriptCheck.Output.find("script: 0 errors, 0 warnings\n"), std::string::npos) << scriptCheck.Output;

  const std::string asset = dir.Path() + "/game/data/qelvart.red";
  fs::create_directories(fs::path(asset).parent_path());
  const ToolRun build = RunTool("qelvart_build", {extracted.string(), english, asset});
  ASSERT_EQ(build.Status, 0) << build.Output;
  const ToolRun fileCheck = RunTool("qelvart_check", {asset});
  EXPECT_EQ(fileCheck.Status, 0) << fileCheck.Output;
  EXPECT_NE(fileCheck.Output.find("script: 0 errors, 0 warnings\nthe file is fine\n"), std::string::npos)
      << fileCheck.Output;

  // A new game: the opening's first page stands over the plain backdrop.
  StoryHost host(dir.Path() + "/game");
  host.Start();
  host.RunFor(500);
  host.RunUntilIdle(5000);
  host.Click(320, 198);
  host.RunUntilIdle(5000);
  EXPECT_TRUE(host.Messages().empty());
  EXPECT_EQ(host.Lines, (std::vector<std::string>{first, second}));
  EXPECT_TRUE(ShowsLine(host.Window(), 45, 390, first));
  EXPECT_TRUE(ShowsLine(host.Window(), 45, 410, second));
  EXPECT_FALSE(ShowsLine(host.Window(), 45, 390, second));
}

}  // namespace
}  // namespace velmora
