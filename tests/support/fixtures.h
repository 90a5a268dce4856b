#pragma once
// Fixtures the tests make themselves: scratch folders, game folders holding an asset
// file (the demo pictures with any script), and a started game on the headless host.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"

namespace velmora::testing {

// A fresh empty folder under the system's temporary folder, removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }
  // Writes a file under the folder (parents created).
  void Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
  void Write(const std::string& relative, const std::string& text) const;

 private:
  std::string path_;
};

// The demo asset file, built once per test program.
const std::vector<uint8_t>& DemoAssetBytes();
std::shared_ptr<const std::vector<uint8_t>> DemoAssetShared();
// The demo pictures with another script (UTF-8, stored as Shift-JIS).
std::vector<uint8_t> AssetFileWithScript(const std::string& scriptUtf8);
// The demo sound effects.
void WriteSounds(const ScratchDir& dir);

// A game on the headless host, in a scratch folder that holds the four sounds; the asset
// file data/qelvart.red is served from memory.
class TestGame {
 public:
  explicit TestGame(const std::vector<uint8_t>& asset = DemoAssetBytes(), bool withSounds = true);
  explicit TestGame(const std::string& scriptUtf8);
  // The demo asset with other script bytes (Shift-JIS already) from ScriptOffset on.
  struct ScriptBytes {
    std::string Bytes;
  };
  explicit TestGame(const ScriptBytes& script);
  HeadlessHost& host() { return *host_; }
  TForm1& form() { return host_->Form(); }
  GameState& state() { return host_->Form().State; }
  const ScratchDir& dir() const { return dir_; }
  // Runs from start-up until the title has settled.
  void RunToTitle();

 private:
  TestGame(std::shared_ptr<const std::vector<uint8_t>> base, std::vector<FileStream::Layer> layers, int64_t size,
           bool withSounds);
  ScratchDir dir_;
  std::unique_ptr<HeadlessHost> host_;
};

}  // namespace velmora::testing
