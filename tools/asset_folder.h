#pragma once
// An asset file taken apart into a folder a translator or modder can edit (one PNG per
// picture slot, the script as UTF-8 text, a manifest) and built back from such a folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// File names inside an extracted folder.
inline constexpr const char* kScriptFileName = "script.txt";
inline constexpr const char* kManifestFileName = "manifest.txt";

struct ExtractReport {
  std::vector<std::string> Problems;  // slots or script that could not be written
  std::vector<std::string> Notes;     // written, but a rebuild will not give the same bytes
};

// Writes every readable slot as <slot>.png, the script as script.txt and manifest.txt
// into Dir (created if needed). A slot that cannot be read is reported and skipped.
ExtractReport ExtractAssetFile(const std::vector<uint8_t>& file, const std::filesystem::path& dir);

// The asset file from a folder with <slot>.png or <slot>.bmp for every slot and a UTF-8
// script. Raises GameError listing every picture and script line that does not fit.
std::vector<uint8_t> BuildAssetFileFromFolder(const std::filesystem::path& pictures,
                                              const std::filesystem::path& script);

}  // namespace velmora
