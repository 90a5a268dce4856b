#pragma once
// Where saves live and how they are written. Each asset file has a folder of its own,
// named by its fingerprint, under $XDG_DATA_HOME/velmora/saves (~/.local/share when the
// variable is unset). A save is written whole to a temporary file in the same folder,
// flushed to the disk, and only then renamed over the old one, so a crash, a full disk or
// a folder that cannot be written leaves the previous save as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "save/file_ops.h"

namespace velmora {

enum class SaveSlot { Quick, Auto };

// The folder all asset files' save folders are made in.
std::string DefaultSaveRoot();
// The folder of one asset file's saves under Root.
std::string SaveFolderFor(const std::string& root, uint64_t assetFingerprint);

class SaveStore {
 public:
  explicit SaveStore(std::string folder, FileOps& ops = RealFileOps()) : folder_(std::move(folder)), ops_(ops) {}

  const std::string& Folder() const { return folder_; }
  std::string PathOf(SaveSlot slot) const;

  // Writes the save; on failure Problem says why in plain words and the old save is kept.
  bool Write(SaveSlot slot, const std::vector<uint8_t>& bytes, std::string& problem);

  enum class ReadResult { Read, Missing, Failed };
  ReadResult Read(SaveSlot slot, std::vector<uint8_t>& bytes, std::string& problem);

 private:
  std::string folder_;
  FileOps& ops_;
};

// Writes Bytes to Target (a file in Folder) the safe way SaveStore::Write does: a temporary
// file beside it, flushed, renamed over Target, the folder flushed. On failure Problem says
// why and Target is as it was.
bool WriteFileSafely(FileOps& ops, const std::string& folder, const std::string& target,
                     const std::vector<uint8_t>& bytes, std::string& problem);

// A plain sentence for an errno value met while saving or loading.
std::string FileProblem(int error);

}  // namespace velmora
