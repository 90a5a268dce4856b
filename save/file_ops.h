#pragma once
// The few file-system calls a save makes, behind a small interface so that a test can
// make one of them fail (a full disk on flush, a rename that is refused) without a full
// disk. PosixFileOps is the real thing.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

class FileOps {
 public:
  virtual ~FileOps() = default;
  // Each returns 0 on success or the errno value that says why not.
  virtual int CreateFolders(const std::string& folder) = 0;
  // Creates a new file for writing (failing if it exists); Fd receives its descriptor.
  virtual int CreateNew(const std::string& path, int& fd) = 0;
  virtual int WriteAll(int fd, const uint8_t* data, size_t size) = 0;
  // Puts the file's bytes on the disk (fsync).
  virtual int Flush(int fd) = 0;
  virtual int Close(int fd) = 0;
  // Replaces To by From in one step.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
  // Puts the folder's entries (a rename just made) on the disk.
  virtual int FlushFolder(const std::string& folder) = 0;
  // Reads a whole small file; ENOENT when there is none.
  virtual int ReadAll(const std::string& path, std::string& bytes, size_t limit) = 0;
};

class PosixFileOps : public FileOps {
 public:
  int CreateFolders(const std::string& folder) override;
  int CreateNew(const std::string& path, int& fd) override;
  int WriteAll(int fd, const uint8_t* data, size_t size) override;
  int Flush(int fd) override;
  int Close(int fd) override;
  int Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
  int FlushFolder(const std::string& folder) override;
  int ReadAll(const std::string& path, std::string& bytes, size_t limit) override;
};

// The one PosixFileOps the program uses.
FileOps& RealFileOps();

}  // namespace velmora
