// Writing the clock's data files so that a record is either whole or absent.
// Files are relative names in the current folder, opened in binary mode; the
// callers put the CR LF line ends into the bytes themselves. Every file is
// opened and closed within one call.
#pragma once
#include <cstddef>
#include <cstdint>

// Appends `size` bytes to the end of file `name` (created when missing) in one
// write. Returns the file's length before them, or -1 when they could not be
// written whole; then whatever part of them reached the file is cut off again.
int64_t file_append(const char* name, const char* bytes, size_t size);

// Cuts file `name` back to `length` bytes, taking back what file_append added
// at that length. Best effort: a file that cannot be cut is left as it is.
void file_cut(const char* name, int64_t length);

// Writes `size` bytes as the new content of file `name` into a temporary file
// beside it ("<name>.tmp"); file `name` itself is not touched yet. Returns
// false, leaving no temporary file, when they could not be written whole.
bool file_stage(const char* name, const char* bytes, size_t size);

// Puts the staged content in place of file `name` by renaming, so that the
// file holds either its old or its new content whatever happens. Returns false
// when the rename failed; the temporary file is then removed and `name` keeps
// its old content.
bool file_commit(const char* name);

// Removes the temporary file of file `name` without using it.
void file_discard(const char* name);

// file_stage, then file_commit: replaces the content of file `name` whole.
bool file_replace(const char* name, const char* bytes, size_t size);
