// Reading a file whole and replacing a file only once its new text is complete.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace cityfile {

// Reads at most limit + 1 bytes of a regular file, so that an oversized file shows
// up as such without being read through. False with error when the file cannot be
// opened or read (missing, a directory, no permission).
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& error);

// Called with a line's index before that line is written; answering false stops the
// write there, as a full disk or a failing device would.
using WriteHook = std::function<bool(int line)>;

// Writes the lines, each closed by CR LF, into a new file beside path and puts it in
// the place of path only when every line is written and flushed to the disk. On any
// failure the new file is removed and a file already at path stays as it was.
bool WriteLinesAtomically(const std::string& path, const std::vector<std::string>& lines, std::string& error,
                          const WriteHook& hook = {});

} // namespace cityfile
