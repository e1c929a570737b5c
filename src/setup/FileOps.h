#pragma once

#include <cstddef>
#include <string>

namespace vosk {

// Writes size bytes to a temporary file in path's folder and renames it over
// path. Returns false, with the file that was at path untouched and no
// temporary file left behind, when any step fails.
bool ReplaceFile(const std::string &path, const void *data, std::size_t size);

// Copies the file from to the path to, refusing to overwrite anything that
// already exists at to. The copy appears whole or not at all. Returns false
// when from cannot be read, to exists, or the copy cannot be written.
bool CopyFileNoReplace(const std::string &from, const std::string &to);

} // namespace vosk
