#include "tools/asset_folder.h"

#include <fstream>
#include <iterator>

#include "app/game_error.h"
#include "gfx/asset_layout.h"
#include "gfx/asset_table.h"
#include "gfx/sjis.h"
#include "script/script_text.h"
#include "tools/asset_file.h"
#include "tools/script_encoding.h"
#include "tools/slot_pictures.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw GameError("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw GameError("cannot write " + path.string());
}

// Script lines that do not come back as the same bytes through UTF-8 (bytes that are no
// code page 932 text, or one of its characters with two codes).
void NoteUnevenLines(const std::string& sjis, ExtractReport& report) {
  if (EncodeCp932(DecodeCp932(sjis)) == sjis) return;
  const std::vector<std::string> lines = ScriptText::SplitLines(sjis);
  for (size_t i = 0; i < lines.size(); ++i)
    if (EncodeCp932(DecodeCp932(lines[i])) != lines[i])
      report.Notes.push_back("script line " + std::to_string(i + 1) +
                             " holds bytes that are not plain code page 932 text; script.txt shows them as '" +
                             DecodeCp932(lines[i]) + "', and a rebuilt file will store that instead");
}

}  // namespace

ExtractReport ExtractAssetFile(const std::vector<uint8_t>& file, const fs::path& dir) {
  ExtractReport report;
  fs::create_directories(dir);
  std::string manifest = "# slot, offset, size, depth (bits per pixel); pictures are <slot>.png\n";
  for (const AssetSlot& slot : AssetSlots()) {
    const int64_t end = int64_t{slot.Offset} + slot.Length;
    std::string problem;
    std::vector<uint8_t> bmp;
    if (static_cast<int64_t>(file.size()) < end) {
      problem = "runs past the end of the file";
    } else {
      bmp.assign(file.begin() + slot.Offset, file.begin() + end);
      problem = SlotProblem(slot, bmp);
    }
    if (problem.empty()) {
      try {
        bool greyPalette = true;
        const std::vector<uint8_t> png = SlotPng(slot, bmp, greyPalette);
        WriteFile(dir / (std::string(slot.Name) + ".png"), png.data(), png.size());
        if (!greyPalette)
          report.Notes.push_back(std::string(slot.Name) +
                                 ": its colour table is not plain grey; the PNG keeps the blend weights the game "
                                 "reads, and a rebuilt file gets a grey table");
      } catch (const GameError& e) {
        problem = e.what();
      }
    }
    if (!problem.empty()) report.Problems.push_back(std::string(slot.Name) + " was not written: it " + problem);
    manifest += std::string(slot.Name) + " " + std::to_string(slot.Offset) + " " + std::to_string(slot.Width) + "x" +
                std::to_string(slot.Height) + " " + std::to_string(slot.BitCount) + "\n";
  }
  if (static_cast<int64_t>(file.size()) <= ScriptOffset) {
    report.Problems.push_back(std::string("the script was not written: there is none after the pictures"));
  } else {
    const std::string sjis(file.begin() + ScriptOffset, file.end());
    const std::string utf8 = DecodeCp932(sjis);
    WriteFile(dir / kScriptFileName, utf8.data(), utf8.size());
    NoteUnevenLines(sjis, report);
    manifest += std::string("script ") + std::to_string(ScriptOffset) + " " +
                std::to_string(ScriptText::SplitLines(sjis).size()) + " lines, " + kScriptFileName + " (UTF-8)\n";
  }
  WriteFile(dir / kManifestFileName, manifest.data(), manifest.size());
  return report;
}

std::vector<uint8_t> BuildAssetFileFromFolder(const fs::path& pictures, const fs::path& script) {
  std::string problems;
  std::vector<std::vector<uint8_t>> bmps;
  for (const AssetSlot& slot : AssetSlots()) {
    const fs::path png = pictures / (std::string(slot.Name) + ".png");
    const fs::path bmp = pictures / (std::string(slot.Name) + ".bmp");
    const bool hasPng = fs::exists(png), hasBmp = fs::exists(bmp);
    bmps.emplace_back();
    if (hasPng && hasBmp) {
      problems += "both " + png.filename().string() + " and " + bmp.filename().string() +
                  " are there; keep only the one you mean\n";
    } else if (!hasPng && !hasBmp) {
      problems += std::string("no picture for the slot ") + slot.Name + ": put " + png.filename().string() + " or " +
                  bmp.filename().string() + " in " + pictures.string() + "\n";
    } else {
      const fs::path path = hasPng ? png : bmp;
      try {
        bmps.back() = SlotBmpFromPictureFile(slot, ReadFile(path), path.filename().string());
      } catch (const GameError& e) {
        problems += std::string(e.what()) + "\n";
      }
    }
  }
  std::string scriptBytes;
  try {
    const std::vector<uint8_t> utf8 = ReadFile(script);
    scriptBytes = EncodeScriptText(std::string(utf8.begin(), utf8.end()), script.filename().string());
    const size_t lines = ScriptText::SplitLines(scriptBytes).size();
    if (lines > 65535)
      problems += "the script has " + std::to_string(lines) + " lines; the game can play at most 65535\n";
  } catch (const GameError& e) {
    problems += std::string(e.what());
    if (problems.back() != '\n') problems += "\n";
  }
  if (!problems.empty()) throw GameError(problems);
  return BuildAssetFile(bmps, scriptBytes);
}

}  // namespace velmora
