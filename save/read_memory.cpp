#include "save/read_memory.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "save/checksum.h"
#include "save/save_store.h"

namespace velmora {

namespace {

constexpr std::string_view kHeader = "velmora read memory 1\n";
constexpr size_t kReadLimit = size_t{16} << 20;
constexpr size_t kLongestId = 64;

// An identity as the page feed makes them: a kind, a colon, digits, letters and colons.
bool IsIdentity(std::string_view id) {
  if (id.empty() || id.size() > kLongestId || id.find(':') == std::string_view::npos) return false;
  return std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ':' || c == '_';
  });
}

uint32_t SumOf(std::string_view bytes) {
  return Crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

std::string EncodeReadMemory(const std::unordered_set<std::string>& ids) {
  std::vector<std::string> sorted(ids.begin(), ids.end());
  std::sort(sorted.begin(), sorted.end());
  std::string bytes(kHeader);
  for (const std::string& id : sorted) bytes += id + '\n';
  char end[48];
  std::snprintf(end, sizeof end, "end %zu %08x\n", sorted.size(), static_cast<unsigned>(SumOf(bytes)));
  return bytes + end;
}

bool DecodeReadMemory(std::string_view bytes, std::unordered_set<std::string>& ids, std::string& problem) {
  ids.clear();
  auto fail = [&](const char* why) {
    problem = why;
    ids.clear();
    return false;
  };
  if (bytes.substr(0, kHeader.size()) != kHeader) return fail("it does not start as a read memory file does");
  if (bytes.empty() || bytes.back() != '\n') return fail("it is cut short");
  const size_t endAt = bytes.rfind("\nend ", bytes.size() - 2);
  if (endAt == std::string_view::npos || endAt + 1 < kHeader.size()) return fail("it is cut short");
  const std::string_view body = bytes.substr(0, endAt + 1);
  const std::string_view last = bytes.substr(endAt + 5, bytes.size() - endAt - 6);  // "COUNT SUM"
  const size_t space = last.find(' ');
  if (space == std::string_view::npos || last.size() - space - 1 != 8) return fail("its closing line is damaged");
  size_t count = 0;
  uint32_t sum = 0;
  const auto countRead = std::from_chars(last.data(), last.data() + space, count);
  const auto sumRead = std::from_chars(last.data() + space + 1, last.data() + last.size(), sum, 16);
  if (countRead.ec != std::errc() || countRead.ptr != last.data() + space || sumRead.ec != std::errc() ||
      sumRead.ptr != last.data() + last.size())
    return fail("its closing line is damaged");
  if (sum != SumOf(body)) return fail("its check sum does not match");
  size_t at = kHeader.size();
  while (at < body.size()) {
    const size_t newline = body.find('\n', at);
    const std::string_view id = body.substr(at, newline - at);
    if (!IsIdentity(id)) return fail("a line is not a page's name");
    ids.emplace(id);
    at = newline + 1;
  }
  if (ids.size() != count) return fail("it does not hold as many pages as it says");
  return true;
}

std::string ReadMemoryPathFor(const std::string& saveFolder) {
  if (saveFolder.empty()) return {};
  const std::filesystem::path saves(saveFolder);
  return (saves.parent_path().parent_path() / "read" / (saves.filename().string() + ".dat")).string();
}

ReadMemory::ReadMemory(std::string path, FileOps& ops)
    : path_(std::move(path)), folder_(std::filesystem::path(path_).parent_path().string()), ops_(ops) {}

std::string ReadMemory::Load() {
  ids_.clear();
  unwritten_ = false;
  std::string bytes;
  const int error = ops_.ReadAll(Path(), bytes, kReadLimit);
  if (error == ENOENT || error == ENOTDIR) return {};
  std::string problem;
  if (error) problem = FileProblem(error);
  else if (bytes.size() > kReadLimit) problem = "it is too large";
  else if (DecodeReadMemory(bytes, ids_, problem)) return {};
  const std::string aside = Path() + ".damaged";
  if (ops_.Rename(Path(), aside) == 0)
    return "the memory of pages read (" + Path() + ") could not be used: " + problem + "; it was set aside as " +
           aside + " and reading starts afresh";
  return "the memory of pages read (" + Path() + ") could not be used: " + problem + "; reading starts afresh";
}

bool ReadMemory::Mark(const std::string& id) {
  if (!ids_.insert(id).second) return true;
  unwritten_ = true;
  return false;
}

bool ReadMemory::Write(std::string& problem) {
  if (!unwritten_) return true;
  const std::string bytes = EncodeReadMemory(ids_);
  const std::string& target = Path();
  auto fail = [&](int error) {
    problem = "the memory of pages read was not written: " + FileProblem(error) + " (" + target + ")";
    return false;
  };
  if (const int error = ops_.CreateFolders(folder_)) return fail(error);
  const std::string temporary = target + "." + std::to_string(::getpid()) + ".tmp";
  int fd = -1;
  int error = ops_.CreateNew(temporary, fd);
  if (error == EEXIST) {
    ops_.Remove(temporary);
    error = ops_.CreateNew(temporary, fd);
  }
  if (error) return fail(error);
  error = ops_.WriteAll(fd, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!error) error = ops_.Flush(fd);
  const int closed = ops_.Close(fd);
  if (!error) error = closed;
  if (!error) error = ops_.Rename(temporary, target);
  if (error) {
    ops_.Remove(temporary);
    return fail(error);
  }
  ops_.FlushFolder(folder_);
  unwritten_ = false;
  return true;
}

}  // namespace velmora
