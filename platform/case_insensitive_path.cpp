#include "platform/case_insensitive_path.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace velmora {

namespace {

namespace fs = std::filesystem;

// Only ASCII letters fold: the game's file names are plain ASCII.
bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path + '/') {
    if (c == '/' || c == '\\') {
      if (!part.empty() && part != ".") parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  return parts;
}

bool IsKind(const fs::path& path, bool wantFolder) {
  std::error_code error;
  return wantFolder ? fs::is_directory(path, error) : fs::exists(path, error);
}

// The entry of Folder that stands for Name; a folder is wanted for every level but the last.
std::optional<std::string> FindEntry(const fs::path& folder, const std::string& name, bool wantFolder) {
  if (IsKind(folder / name, wantFolder)) return name;
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return std::nullopt;
  std::optional<std::string> best;
  for (const fs::directory_entry& entry : entries) {
    const std::string candidate = entry.path().filename().string();
    if (!EqualIgnoringAsciiCase(candidate, name) || !IsKind(entry.path(), wantFolder)) continue;
    if (!best || candidate < *best) best = candidate;
  }
  return best;
}

}  // namespace

std::string FindPathIgnoringCase(const std::string& root, const std::string& relative) {
  const std::vector<std::string> parts = SplitPath(relative);
  fs::path folder = root.empty() ? fs::path(".") : fs::path(root);
  std::string found;
  bool matching = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string name = parts[i];
    if (matching) {
      const std::optional<std::string> entry = FindEntry(folder, name, i + 1 < parts.size());
      if (entry) {
        name = *entry;
        folder /= name;
      } else {
        matching = false;
      }
    }
    if (!found.empty()) found += '/';
    found += name;
  }
  return found;
}

}  // namespace velmora
