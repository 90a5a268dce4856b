#include "tools/asset_file.h"

#include "app/game_error.h"
#include "gfx/asset_table.h"
#include "gfx/bmp_reader.h"
#include "gfx/file_stream.h"
#include "script/script_text.h"

namespace velmora {

namespace {

std::string Describe(const AssetSlot& slot) {
  return std::to_string(slot.Width) + "x" + std::to_string(slot.Height) + ", " + std::to_string(slot.BitCount) +
         " bits, " + std::to_string(slot.Length) + " bytes";
}

}  // namespace

std::string SlotProblem(const AssetSlot& slot, const std::vector<uint8_t>& bmp) {
  if (static_cast<int64_t>(bmp.size()) != slot.Length)
    return "is " + std::to_string(bmp.size()) + " bytes long, the slot needs " + Describe(slot);
  try {
    auto stream = FileStream::FromBytes(bmp);
    const Picture picture = ReadBmp(*stream);
    const int bits = picture.Format() == PixelFormat::Indexed8 ? 8 : 24;
    if (picture.Width() != slot.Width || picture.Height() != slot.Height || bits != slot.BitCount)
      return "is " + std::to_string(picture.Width()) + "x" + std::to_string(picture.Height()) + " at " +
             std::to_string(bits) + " bits, the slot needs " + Describe(slot);
  } catch (const GameError& e) {
    return std::string("is not a picture the game can read: ") + e.what();
  }
  return {};
}

std::vector<uint8_t> BuildAssetFile(const std::vector<std::vector<uint8_t>>& pictures,
                                    const std::string& scriptBytes) {
  const auto& slots = AssetSlots();
  if (pictures.size() != slots.size())
    throw GameError("expected " + std::to_string(slots.size()) + " pictures, got " + std::to_string(pictures.size()));
  std::string problems;
  std::vector<uint8_t> file;
  file.reserve(static_cast<size_t>(ScriptOffset) + scriptBytes.size());
  for (size_t i = 0; i < slots.size(); ++i) {
    const std::string problem = SlotProblem(slots[i], pictures[i]);
    if (!problem.empty()) problems += std::string(slots[i].Name) + " " + problem + "\n";
    if (static_cast<int64_t>(file.size()) != slots[i].Offset && problem.empty())
      problems += std::string(slots[i].Name) + " would start at " + std::to_string(file.size()) + ", not at " +
                  std::to_string(slots[i].Offset) + "\n";
    file.insert(file.end(), pictures[i].begin(), pictures[i].end());
  }
  if (!problems.empty()) throw GameError(problems);
  file.insert(file.end(), scriptBytes.begin(), scriptBytes.end());
  return file;
}

std::vector<SlotReport> CheckAssetFile(const std::vector<uint8_t>& file) {
  std::vector<SlotReport> reports;
  for (const AssetSlot& slot : AssetSlots()) {
    SlotReport report{slot.Name, slot.Offset, {}};
    if (static_cast<int64_t>(file.size()) < static_cast<int64_t>(slot.Offset) + slot.Length) {
      report.Problem = "the file ends before this slot does (" + std::to_string(file.size()) + " bytes)";
    } else {
      const std::vector<uint8_t> bmp(file.begin() + slot.Offset, file.begin() + slot.Offset + slot.Length);
      report.Problem = SlotProblem(slot, bmp);
    }
    reports.push_back(std::move(report));
  }
  SlotReport script{"script", ScriptOffset, {}};
  if (static_cast<int64_t>(file.size()) <= ScriptOffset) {
    script.Problem = "there is no script after the pictures";
  } else {
    const std::string text(file.begin() + ScriptOffset, file.end());
    const auto lines = ScriptText::SplitLines(text);
    if (lines.size() > 65535) script.Problem = "has " + std::to_string(lines.size()) + " lines, at most 65535 fit";
  }
  reports.push_back(std::move(script));
  return reports;
}

}  // namespace velmora
