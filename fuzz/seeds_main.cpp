// velmora_fuzz_seeds DIR: writes the seed corpus of every fuzz target into DIR/<target>/.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gfx/asset_layout.h"
#include "gfx/sjis.h"
#include "save/read_memory.h"
#include "save/save_format.h"
#include "tools/bmp_corpus.h"
#include "tools/demo/demo_content.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::vector<uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A script for the interpreter target: two length bytes, the script, then pointer steps.
std::vector<uint8_t> InterpreterInput(const std::string& scriptUtf8, int pageClicks) {
  const std::string script = velmora::EncodeCp932(scriptUtf8);
  std::vector<uint8_t> out = {static_cast<uint8_t>(script.size()), static_cast<uint8_t>(script.size() >> 8)};
  out.insert(out.end(), script.begin(), script.end());
  for (int i = 0; i < pageClicks; ++i) {
    for (uint8_t op : {4, 0, 2}) {  // settle, press and release the page button
      out.push_back(op);
      out.push_back(460 & 0xFF);  // x and y as little-endian words
      out.push_back(460 >> 8);
      out.push_back(450 & 0xFF);
      out.push_back(450 >> 8);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const fs::path root(argv[1]);
  velmora::fuzz::EnsureGuiApplication();

  Write(root / "bmp" / "valid24", velmora::ValidBmp(7, 5, 24));
  Write(root / "bmp" / "valid8", velmora::ValidBmp(9, 3, 8));
  int n = 0;
  for (const auto& bad : velmora::MalformedBmpCorpus()) Write(root / "bmp" / ("bad" + std::to_string(n++)), bad.Bytes);

  const std::string demo = velmora::DemoScript();
  Write(root / "script" / "demo", Bytes(velmora::EncodeCp932(demo)));
  Write(root / "script" / "breaks", Bytes("*OP\r\n<B>\r1\n\nText\r\n\r\n*next_ba\0after"));
  Write(root / "script" / "arguments", Bytes("<CG>\n 12\n<CG>\n+5\n<B>\n99999999999\n<B>\n-\n<B>\n12abc\n"));

  Write(root / "asset" / "untouched", {0});
  for (const velmora::AssetSlot& slot : velmora::AssetSlots()) {
    std::vector<uint8_t> cut = {1};
    Put32(cut, static_cast<uint32_t>(slot.Offset + slot.Length / 2));
    Write(root / "asset" / ("cut_" + std::string(slot.Name)), cut);
  }
  {
    std::vector<uint8_t> patch = {0};
    Put32(patch, 957708 + 18);  // the title backdrop's width
    patch.push_back(4);
    Put32(patch, 0x7FFFFFFF);
    Write(root / "asset" / "huge_title", patch);
  }

  Write(root / "interpreter" / "demo", InterpreterInput(demo, 12));
  Write(root / "interpreter" / "tags",
        InterpreterInput("*OP\n<B>\n5\n一\n二\n三\n四\n<CG>\n2\n<CG_text>\n3\nBL\n<Aite_f>\n1\n<f_Change>\n2\n"
                         "<Aite0>\n<Sentaku>\n2\n問い\n答え1\n答え2\n\n<Game>\n*next_ba\n",
                         20));
  // Saves of a first map, a walk's end at a scene and a late morning; each once as it is
  // and once for the target to make its sum right, and one cut short.
  {
    velmora::GameState map;
    map.ScreenMode = 4;
    map.DayCount = 1;
    map.TimeSlot = 3;
    map.TownPhase = 1;
    map.CurrentPlace = 1;
    map.Points = 180;
    map.ModeArg = 1;
    for (int i = 1; i <= 14; ++i) map.EventState[i] = i == 1 || i == 6 || i >= 9 ? 1 : 0;
    for (int i = 1; i <= 16; ++i) map.PlaceOpen[i] = (i >= 2 && i <= 4) || i == 12 ? 0 : 1;
    velmora::GameState walkOver = map;
    walkOver.TownPhase = 5;
    walkOver.TargetPlace = 7;
    walkOver.Partner = 1;
    walkOver.HeroineWait[1] = 2;
    walkOver.HeroineGauge[0] = 30;
    walkOver.CgSeen[1] = 1;
    velmora::GameState morning = map;
    morning.TownPhase = 0;
    morning.TimeSlot = 20;
    morning.Points = 90;
    int k = 0;
    for (const velmora::GameState* state : {&map, &walkOver, &morning}) {
      const std::vector<uint8_t> save = velmora::EncodeSave(*state, 0x0123456789ABCDEFull);
      for (uint8_t fixSum : {0, 1}) {
        std::vector<uint8_t> seed(save.size() + 1, fixSum);
        std::copy(save.begin(), save.end(), seed.begin() + 1);
        Write(root / "save" / ("state" + std::to_string(k) + (fixSum ? "_sum" : "")), seed);
      }
      ++k;
    }
    const std::vector<uint8_t> save = velmora::EncodeSave(map, 1);
    std::vector<uint8_t> cut(41, 0);
    std::copy(save.begin(), save.begin() + 40, cut.begin() + 1);
    Write(root / "save" / "cut", cut);
  }
  {
    // The memory of pages read: a whole file, the same cut short, and bare lines whose
    // count and sum the target makes right.
    const std::string whole =
        velmora::EncodeReadMemory({"page:120", "choice:63", "remark:0:1fe5ee52", "ending:14", "photo:1"});
    const auto seed = [](uint8_t first, const std::string& text) {
      std::vector<uint8_t> bytes{first};
      bytes.insert(bytes.end(), text.begin(), text.end());
      return bytes;
    };
    Write(root / "read_memory" / "whole", seed(0, whole));
    Write(root / "read_memory" / "cut", seed(0, whole.substr(0, whole.size() / 2)));
    Write(root / "read_memory" / "lines", seed(1, "page:7\npage:12\nchoice:30\n"));
    Write(root / "read_memory" / "bad_line", seed(1, "page:7\nPage 12\n"));
  }
  std::printf("fuzz seeds written to %s\n", argv[1]);
  return 0;
}
