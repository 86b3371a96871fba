#pragma once
// Profile files: everything the profile store holds (key maps of all four profiles, the macro
// list, the launch strings) in one little-endian file:
//
//   0       32               ProfileFileHeader (sizes and counts, checksum)
//   32      32               DeviceIdBlock (fixed)
//   64      2048 x 16        key records, profile p slot s at 64 + (p x 512 + s) x 16
//   32832   count x 16512    macro records in list order
//   ...     pool size        string pool: the UTF-16 strings of key records of types 3 and 6
//
// Every file is written to a temporary file in the same folder and renamed over the target,
// so a failed write leaves the previous file as it was.
#include <filesystem>
#include <functional>
#include <span>

#include "model/model_port.h"
#include "model/profile_store.h"

namespace talon {

// Where the profile files of the user live; the shell computes the paths.
struct ProfilePaths {
  // The per-user working file that mirrors the keyboard.
  std::filesystem::path working_profile;
  // Makes the per-user folder (with its colour files) when it is missing; may be empty.
  std::function<void()> ensure_user_folder;
};

// The working file's path, after making sure its folder exists.
std::filesystem::path WorkingProfilePath(const ProfilePaths& paths);

inline constexpr int kProfileUsable = 1;
inline constexpr int kProfileUnusable = 0;
inline constexpr int kProfileCannotOpen = -2;
inline constexpr int kProfileNoMemory = -3;

// Whether a file may be loaded: 0 when it is missing, shorter than 32832 bytes or 4 GiB or
// more (silently), or when its header is wrong or promises more bytes than the file has (with
// "PROFILE_FORMAT_ERROR" filled with the path); -2 when it cannot be opened.
int CheckProfileFile(const std::filesystem::path& path, ModelPort& port);

// Loads a file into the store, replacing all it held. Returns 1, or 0 for a file that is
// missing, unreadable or fails the header check, in which case the store holds a fresh key
// block, no macros and no strings. A string whose pool offset lies outside the pool is read as
// empty, one without terminator ends at the end of the pool.
int ReadProfileFile(ProfileStore& store, const std::filesystem::path& path);
// The same from a profile file's bytes already in memory, such as a capture of the keyboard.
int ReadProfileBytes(ProfileStore& store, std::span<const std::uint8_t> bytes);

// Writes the store to the path: the header (rebuilt in the store's key block), the key
// records with the strings' pool offsets (also rewritten in the store), the macros and the
// pool. Returns 1, or 0 when the file cannot be written.
int WriteProfileFile(ProfileStore& store, const std::filesystem::path& path);

// WriteProfileFile to the working file, but only when that file already exists (0 otherwise).
int SaveWorkingProfile(ProfileStore& store, const ProfilePaths& paths);

// A file holding a fresh key block only (32832 bytes). Returns 1 or 0.
int CreateEmptyProfile(const std::filesystem::path& path);
// The store emptied to a fresh key block, no macros and no strings.
void CreateEmptyProfile(ProfileStore& store);

}  // namespace talon
