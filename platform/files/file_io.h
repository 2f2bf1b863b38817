// Files by descriptor for the converter: the few calls whose form differs
// between systems (reading whole files is in file_access.h).
// Paths are in the system's narrow encoding (UTF-8 on Linux and, through
// the program's manifest, on Windows).
#pragma once

#include <string>

namespace quorvandel {

// Opens an existing file for reading, in binary mode and not inherited by
// programs started from here; -1 with errno set when it cannot.
int Open_for_reading(const std::string& path);

// Creates a new file from `pattern`, whose last six characters "XXXXXX" are
// replaced to make the name unique, gives it the permission bits of the
// file at `like` (where there are such bits) and opens it for writing in
// binary mode; `created` is the name made. -1 with errno set on failure.
int Create_unique_file(const std::string& pattern, const std::string& like, std::string& created);

// Writes what the system holds of the file to the disk.
bool Sync_to_disk(int fd);

// Asks the system to start writing `count` bytes from `offset` of the file
// to the disk now, without waiting for them, so that a Sync_to_disk later
// has less left to wait for. Where the system has no such call, nothing.
void Start_writing_to_disk(int fd, long long offset, long long count);

// Renames `from` to `to`, replacing a file there in one step.
bool Rename_over(const std::string& from, const std::string& to);

// Whether the descriptor writes at the end of its file whatever its offset.
bool Opened_for_appending(int fd);

// Standard input and output carry bytes as they are (no CR LF translation).
void Use_binary_standard_streams();

}  // namespace quorvandel
