// Reading a whole file, and writing one so that a failed or interrupted write
// never damages what was there: the bytes go to a temporary file beside the
// target, which then replaces it in one rename.
#pragma once

#include <string>

namespace quillon {

// The file's bytes. Throws IoError naming the reason when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Writes bytes to path through a temporary file in the same folder and a
// rename. A symbolic link is followed (the file it names is replaced); an
// existing file keeps its permissions, a new one gets those the umask
// allows. Throws IoError naming the reason; the old file is then untouched
// and no temporary file is left.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace quillon
