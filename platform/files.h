#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace platform {

// True when any entry is at the path, following a symbolic link to its target.
bool fileExists(const std::string& path);

// The size of the entry at the path, or nothing when it cannot be examined.
std::optional<std::uint64_t> fileSize(const std::string& path);

// Renames within one file system; fails, touching nothing, when the target is occupied.
bool moveItemNoReplace(const std::string& from, const std::string& to);

bool removeFile(const std::string& path);

// A regular file of the running user's with no second name, the path not followed: in a shared
// folder, the only kind of file that another user cannot have planted there.
bool isOwnSoleFile(const std::string& path);
bool isOwnSoleFile(const struct stat& info);

}  // namespace platform
