#include "io/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "io/io_error.h"

namespace quillon {
namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

// Closes a descriptor when it goes out of scope (unless released).
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Hands the descriptor over; it is no longer closed here.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; the error number of a failed close, else 0.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The file a path finally names: links resolved when the target exists.
std::string TargetPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// Only regular files are read or replaced: a pipe or device could block or
// never end, and a rename would replace the device itself.
void CheckRegular(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) {
    throw IoError("It is a folder.");
  }
  if (!S_ISREG(info.st_mode)) {
    throw IoError("It is not a regular file.");
  }
}

}  // namespace

FileReader::FileReader(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw IoError(Reason(errno) + ".");
  }
  CheckRegular(info);
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) {
    throw IoError(Reason(errno) + ".");
  }
  if (::fstat(file.Get(), &info) != 0) {
    throw IoError(Reason(errno) + ".");
  }
  CheckRegular(info);
  size_ = static_cast<std::uint64_t>(info.st_size);
  descriptor_ = file.Release();
}

FileReader::~FileReader() {
  ::close(descriptor_);
}

std::string FileReader::Read(std::uint64_t offset, std::size_t count) const {
  std::string bytes;
  char buffer[65536];
  while (bytes.size() < count) {
    const std::size_t wanted = std::min(sizeof buffer, count - bytes.size());
    const ssize_t got = ::pread(descriptor_, buffer, wanted, static_cast<off_t>(offset));
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw IoError(Reason(errno) + ".");
    }
    if (got == 0) {
      break;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
    offset += static_cast<std::uint64_t>(got);
  }
  return bytes;
}

std::string ReadWholeFile(const std::string& path) {
  // Read to the end, not to the size: the file may have grown since.
  return FileReader(path).Read(0, std::numeric_limits<std::size_t>::max());
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  if (path.empty()) {
    throw IoError("No file name was given.");
  }
  const std::string target = TargetPath(path);
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.empty()) {
    throw IoError("The name names a folder, not a file.");
  }

  mode_t mode = NewFileMode();
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    CheckRegular(existing);
    mode = existing.st_mode & 07777;
  }

  std::string temporary = folder + "." + name + ".XXXXXX";
  Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.Get() < 0) {
    throw IoError(Reason(errno) + ".");
  }
  auto fail = [&temporary](int error) {
    ::unlink(temporary.c_str());
    throw IoError(Reason(error) + ".");
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(file.Get(), bytes.data() + written, bytes.size() - written);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      fail(errno);
    }
    written += static_cast<std::size_t>(count);
  }
  // Best effort: some file systems keep no permissions.
  (void)::fchmod(file.Get(), mode);
  if (::fsync(file.Get()) != 0) {
    fail(errno);
  }
  if (const int error = file.Close()) {
    fail(error);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    fail(errno);
  }
}

}  // namespace quillon
