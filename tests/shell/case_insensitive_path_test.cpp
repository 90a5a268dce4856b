#include <gtest/gtest.h>

#include <filesystem>

#include "platform/case_insensitive_path.h"
#include "shell_fixture.h"

namespace velmora {
namespace {

using testing::ScratchDir;

TEST(CaseInsensitivePath, FindsEachLevelAsSpelledOnDisk) {
  ScratchDir dir;
  dir.Write("DATA/QELVART.RED", std::string("x"));
  dir.Write("Wav/01.WAV", std::string("x"));
  dir.Write("Wav/02.wav", std::string("x"));
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "data/qelvart.red"), "DATA/QELVART.RED");
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "wav/01.wav"), "Wav/01.WAV");
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "wav/02.wav"), "Wav/02.wav");
  // The original's own spelling, with a backslash.
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "data\\qelvart.red"), "DATA/QELVART.RED");
  // A level that matches nothing keeps the rest as given.
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "wav/03.wav"), "Wav/03.wav");
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "sound/01.WAV"), "sound/01.WAV");
  // Only ASCII letters fold: "Ｗav" (full-width W) is another name.
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "Ｗav/01.wav"), "Ｗav/01.wav");
}

TEST(CaseInsensitivePath, ExactNamesWinAndFoldersMustBeFolders) {
  ScratchDir dir;
  dir.Write("wav/01.wav", std::string("exact"));
  dir.Write("WAV/01.wav", std::string("other"));
  dir.Write("Wav/01.wav", std::string("other"));
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "wav/01.wav"), "wav/01.wav");
  // Without the exact name, the first of the others in sorted order.
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "wAv/01.wav"), "WAV/01.wav");
  // A file named like a folder does not stand for it.
  dir.Write("Data", std::string("a file"));
  dir.Write("dATA/qelvart.red", std::string("x"));
  EXPECT_EQ(FindPathIgnoringCase(dir.Path(), "data/qelvart.red"), "dATA/qelvart.red");
}

TEST(CaseInsensitivePath, BothHostsStartAGameFolderInCapitals) {
  ScratchDir dir;
  dir.Write("DATA/QELVART.RED", testing::DemoAssetBytes());
  dir.Write("WAV/01.WAV", std::string("RIFF"));
  {
    HeadlessHost host(dir.Path());
    TForm1& form = host.Start();
    EXPECT_EQ(form.AssetsMissing(), 0);
    EXPECT_TRUE(host.Messages().empty());
    form.Sound.PlaySoundEffect(1);
    ASSERT_EQ(host.Sounds().size(), 1u);
    EXPECT_EQ(host.Sounds()[0].Path, dir.Path() + "/WAV/01.WAV");
  }
  testing::WorkingDirectory cwd(dir.Path());
  testing::RecordingServices record;
  GameWindow window(record.Services());
  TForm1& form = window.Start();
  EXPECT_EQ(form.AssetsMissing(), 0);
  EXPECT_TRUE(record.Messages.empty());
  EXPECT_TRUE(form.G_Timer.Enabled());
  form.Sound.PlaySoundEffect(1);
  ASSERT_EQ(record.Sounds.size(), 1u);
  EXPECT_EQ(record.Sounds[0].toStdString(),
            (std::filesystem::canonical(dir.Path()) / "WAV/01.WAV").string());
}

}  // namespace
}  // namespace velmora
