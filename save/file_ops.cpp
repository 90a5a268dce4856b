#include "save/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace velmora {

int PosixFileOps::CreateFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return error.value() != 0 ? error.value() : EIO;
  // create_directories is content when a file stands there under another name's guise.
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

int PosixFileOps::CreateNew(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  return fd < 0 ? errno : 0;
}

int PosixFileOps::WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return 0;
}

int PosixFileOps::Flush(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int PosixFileOps::Close(int fd) { return ::close(fd) == 0 ? 0 : errno; }

int PosixFileOps::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void PosixFileOps::Remove(const std::string& path) { ::unlink(path.c_str()); }

int PosixFileOps::FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

int PosixFileOps::ReadAll(const std::string& path, std::string& bytes, size_t limit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  bytes.clear();
  char buffer[4096];
  int result = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result = errno;
      break;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > limit) break;  // far too big to be a save; the reader says so
  }
  ::close(fd);
  return result;
}

FileOps& RealFileOps() {
  static PosixFileOps ops;
  return ops;
}

}  // namespace velmora
