#pragma once
// Which units of the page feed (pages, choices, remarks, ending lines) the player has seen
// with one asset file, kept across runs and new games in a file of its own beside that
// file's saves: $XDG_DATA_HOME/velmora/read/<fingerprint>.dat next to
// $XDG_DATA_HOME/velmora/saves/<fingerprint>/. The file is written the way saves are (temporary file, flush, rename) when the
// host asks, every few seconds while there is something new and at exit, never on every
// page. A damaged file is set aside under another name and the memory starts empty.
//
// The file is text: a header line, one unit identity a line, and a closing line with the
// count and the CRC-32 of everything before it:
//   velmora read memory 1
//   page:120
//   choice:63
//   end 2 1a2b3c4d

#include <string>
#include <string_view>
#include <unordered_set>

#include "save/file_ops.h"

namespace velmora {

// The memory's file for the asset file whose saves are in SaveFolder (SaveFolderFor);
// empty for an empty folder (the asset file is not known).
std::string ReadMemoryPathFor(const std::string& saveFolder);

// The file's bytes for a set of identities (sorted, so equal sets give equal files).
std::string EncodeReadMemory(const std::unordered_set<std::string>& ids);
// Reads a file's bytes; on a damaged file says what is wrong in Problem and returns false.
bool DecodeReadMemory(std::string_view bytes, std::unordered_set<std::string>& ids, std::string& problem);

class ReadMemory {
 public:
  // Path is the memory's file (ReadMemoryPathFor).
  explicit ReadMemory(std::string path, FileOps& ops = RealFileOps());

  const std::string& Path() const { return path_; }
  // Reads the file. A missing file is an empty memory; a damaged or unreadable one is
  // renamed to Path() + ".damaged" (when it can be) and the memory starts empty. Returns
  // the one line to tell on stderr, empty when all was well.
  std::string Load();

  bool Seen(const std::string& id) const { return ids_.count(id) != 0; }
  // Remembers a unit; says whether it had been seen before.
  bool Mark(const std::string& id);
  // Whether something was marked since the last write.
  bool Unwritten() const { return unwritten_; }
  size_t Size() const { return ids_.size(); }

  // Writes the memory if something is unwritten; on failure Problem says why and the file
  // on the disk stays as it was (the next write tries again).
  bool Write(std::string& problem);

 private:
  std::string path_;
  std::string folder_;
  FileOps& ops_;
  std::unordered_set<std::string> ids_;
  bool unwritten_ = false;
};

}  // namespace velmora
