#include "save/save_store.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora {

namespace {

// A save is a few hundred bytes; anything much larger is not one of ours.
constexpr size_t kReadLimit = 1 << 16;

}  // namespace

std::string DefaultSaveRoot() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr && home[0] != '\0' ? home : ".") + "/.local/share";
  }
  return base + "/velmora/saves";
}

std::string SaveFolderFor(const std::string& root, uint64_t assetFingerprint) {
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(assetFingerprint));
  return root + "/" + name;
}

std::string SaveStore::PathOf(SaveSlot slot) const {
  return folder_ + (slot == SaveSlot::Quick ? "/quick.sav" : "/auto.sav");
}

std::string FileProblem(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "書き込みが許可されていません";
    case EROFS:
      return "読み取り専用の場所です";
    case ENOSPC:
    case EDQUOT:
      return "ディスクがいっぱいです";
    case ENOTDIR:
    case EEXIST:
      return "フォルダがあるべき場所にファイルがあります";
    case EISDIR:
      return "ファイルがあるべき場所にフォルダがあります";
    case EIO:
      return "ディスクの読み書きに失敗しました";
    default:
      return std::strerror(error);
  }
}

bool SaveStore::Write(SaveSlot slot, const std::vector<uint8_t>& bytes, std::string& problem) {
  return WriteFileSafely(ops_, folder_, PathOf(slot), bytes, problem);
}

bool WriteFileSafely(FileOps& ops, const std::string& folder, const std::string& target,
                     const std::vector<uint8_t>& bytes, std::string& problem) {
  auto fail = [&](int error) {
    problem = "セーブできませんでした: " + FileProblem(error) + " (" + folder + ")。前のセーブはそのままです。";
    return false;
  };
  if (const int error = ops.CreateFolders(folder)) return fail(error);
  // A name of this process's own, so two running copies never write into one file.
  const std::string temporary = target + "." + std::to_string(::getpid()) + ".tmp";
  int fd = -1;
  int error = ops.CreateNew(temporary, fd);
  if (error == EEXIST) {  // left by a crash of an earlier run with the same process id
    ops.Remove(temporary);
    error = ops.CreateNew(temporary, fd);
  }
  if (error) return fail(error);
  error = ops.WriteAll(fd, bytes.data(), bytes.size());
  if (!error) error = ops.Flush(fd);
  const int closed = ops.Close(fd);
  if (!error) error = closed;
  if (!error) error = ops.Rename(temporary, target);
  if (error) {
    ops.Remove(temporary);
    return fail(error);
  }
  // The rename itself reaches the disk with the folder; if that fails the new save is
  // in place already and the old one is gone only when the new one is whole.
  ops.FlushFolder(folder);
  return true;
}

SaveStore::ReadResult SaveStore::Read(SaveSlot slot, std::vector<uint8_t>& bytes, std::string& problem) {
  std::string raw;
  const int error = ops_.ReadAll(PathOf(slot), raw, kReadLimit);
  if (error == ENOENT || error == ENOTDIR) return ReadResult::Missing;
  if (error) {
    problem = "セーブファイルを読めませんでした: " + FileProblem(error) + " (" + PathOf(slot) + ")。";
    return ReadResult::Failed;
  }
  bytes.assign(raw.begin(), raw.end());
  return ReadResult::Read;
}

}  // namespace velmora
