// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace vosk {

// Every function here that returns false sets errno to the reason: ELOOP for
// a link loop, EISDIR for a folder, EINVAL for a device or named pipe where a
// regular file belongs, EEXIST for a name that is taken, ENODATA for a file
// shorter than asked for, or what the system reported.

// Replaces the file at path with size bytes, as a careful editor saves: the
// bytes go to a temporary file in the target's folder, flushed to the disk
// before it takes the target's name, and the folder is flushed after. A
// symbolic link (or a chain of them) stays a link and its target gets the
// bytes, created when the link dangles. The old file's permission bits, owner
// and group are kept; a new file gets those of a plain fopen. Returns false,
// leaving what was there untouched and no temporary file behind, when any
// step fails: missing folder, a path naming a folder or ending in "/", a link
// loop, an existing file the user may not write, a full disk. The file is
// overwritten where it stands only where no new file can take its name (the
// folder refuses one, the name is a mount point, its owner cannot be kept)
// or where it has a second hard link.
bool ReplaceFile(const std::string &path, const void *data, std::size_t size);

// ReplaceFile, except that a regular file already holding exactly these
// bytes is left alone, which spares the file system a rename. A missing,
// unreadable or different file is replaced as ReplaceFile does, with its
// result; true when nothing needed writing.
bool ReplaceFileIfChanged(const std::string &path, const void *data, std::size_t size);

// Puts a new file holding size bytes at path, whole and flushed or not at all,
// only where nothing at all stands under that name, not even a dangling link,
// at the moment it is published: a file that appears meanwhile is kept.
// Returns false when something is there or the file cannot be written.
bool CreateFileNoReplace(const std::string &path, const void *data, std::size_t size);

// Copies the file from to the path to with CreateFileNoReplace. Returns false
// when from is missing, unreadable or not a regular file, when something is at
// to, or when the copy cannot be written.
bool CopyFileNoReplace(const std::string &from, const std::string &to);

// Reads the whole regular file at path into bytes. Returns false and leaves
// bytes as they were when path is missing, unreadable or not a regular file.
bool ReadWholeFile(const std::string &path, std::string &bytes);

// Reads exactly the first size bytes of the regular file at path into
// buffer; later bytes are ignored. Returns false when the file is missing,
// unreadable, not a regular file or shorter than size; buffer may then hold
// part of the file, so callers read into a scratch buffer first.
bool ReadFilePrefix(const std::string &path, void *buffer, std::size_t size);

// One read(2) of up to size bytes, started again when a signal interrupts it
// before anything arrived. Returns what read(2) returns, with errno set on -1.
ssize_t ReadOnce(int fd, void *buffer, std::size_t size);

// Reads until size bytes are in buffer or the file ends; a pipe answers as its
// writer delivers, so short reads are simply read on. A descriptor that came
// non-blocking (standard input, as whoever started the program left it) is
// waited on rather than given up. Returns the count read; a read that fails
// stops it and sets error to its errno, which otherwise stays as it was.
std::size_t ReadUpTo(int fd, void *buffer, std::size_t size, int &error);

} // namespace vosk
