// Reading a file whole or in parts, and writing one so that a failed or
// interrupted write never damages what was there: the bytes go to a
// temporary file beside the target, which then replaces it in one rename.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillon {

// A regular file open for reading, so that a reader can take the parts it
// needs and leave the rest unread. Pipes, devices and folders are refused:
// they could block or never end. Every failure throws IoError naming the
// reason.
class FileReader {
 public:
  explicit FileReader(const std::string& path);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // The file's size in bytes when it was opened.
  std::uint64_t Size() const { return size_; }
  // Up to count bytes from offset; fewer where the file ends.
  std::string Read(std::uint64_t offset, std::size_t count) const;

 private:
  int descriptor_ = -1;
  std::uint64_t size_ = 0;
};

// The file's bytes. Throws IoError naming the reason when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Writes bytes to path through a temporary file in the same folder and a
// rename. A symbolic link is followed (the file it names is replaced); an
// existing file keeps its permissions, a new one gets those the umask
// allows. Throws IoError naming the reason; the old file is then untouched
// and no temporary file is left.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace quillon
