#pragma once

#include <cstddef>
#include <string>

namespace vosk {

// Writes size bytes to a temporary file in path's folder and renames it over
// path. Returns false, with the file that was at path untouched and no
// temporary file left behind, when any step fails (missing folder, path is a
// folder or ends in "/", disk full).
bool ReplaceFile(const std::string &path, const void *data, std::size_t size);

// ReplaceFile, except that a regular file already holding exactly these
// bytes is left alone, which spares the file system a rename. A missing,
// unreadable or different file is replaced as ReplaceFile does, with its
// result; true when nothing needed writing.
bool ReplaceFileIfChanged(const std::string &path, const void *data, std::size_t size);

// Copies the file from to the path to, refusing to overwrite anything that
// already exists at to. The copy appears whole or not at all. Returns false
// when from is missing, unreadable or not a regular file, when to exists, or
// when the copy cannot be written.
bool CopyFileNoReplace(const std::string &from, const std::string &to);

// Writes size bytes to a new file at path, refusing to replace anything that
// already exists there. The file appears whole or not at all. Returns false
// when path exists or names a folder, or when the file cannot be written.
bool CreateFileNoReplace(const std::string &path, const void *data, std::size_t size);

// Reads the whole regular file at path into bytes. Returns false and leaves
// bytes as they were when path is missing, unreadable or not a regular file.
bool ReadWholeFile(const std::string &path, std::string &bytes);

// Reads exactly the first size bytes of the regular file at path into
// buffer; later bytes are ignored. Returns false when the file is missing,
// unreadable, not a regular file or shorter than size; buffer may then hold
// part of the file, so callers read into a scratch buffer first.
bool ReadFilePrefix(const std::string &path, void *buffer, std::size_t size);

} // namespace vosk
