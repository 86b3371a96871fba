#pragma once
// The one working copy of everything the keyboard stores apart from lighting: the key block, the
// committed macro list and the launch strings. Every reader and writer holds the store's
// re-entrant lock, which Lock() hands out together with the contents. The upload snapshot is a
// second copy with its own lock, refilled from the store at every upload; the lock order is
// always the store first, the snapshot second.
#include <cstdint>
#include <mutex>
#include <vector>

#include "model/key_block.h"
#include "model/launch_strings.h"
#include "model/macro_record.h"

namespace talon {

struct ProfileContents {
  KeyBlock key_block = FreshKeyBlock();
  std::vector<MacroRecord> macros;  // list order is the macros' numbering on the keyboard
  LaunchStrings launch_strings;
  // The macro recorder's state, used while the macro page records keystrokes.
  bool recording = false;
  std::uint64_t last_record_event_ms = 0;
};

// The contents, with the lock held for as long as this object lives.
template <class Contents>
class Held {
 public:
  Held(std::recursive_mutex& mutex, Contents& contents) : lock_(mutex), contents_(&contents) {}
  Contents& operator*() const { return *contents_; }
  Contents* operator->() const { return contents_; }

 private:
  std::unique_lock<std::recursive_mutex> lock_;
  Contents* contents_;
};

class ProfileStore {
 public:
  Held<ProfileContents> Lock() { return {mutex_, contents_}; }

 private:
  std::recursive_mutex mutex_;
  ProfileContents contents_;
};

// Drops the launch strings and the macro list and puts a fresh key block in place, so the
// store stays usable whatever follows.
void ReleaseContents(ProfileContents& contents);

struct SnapshotContents {
  KeyBlock key_block;
  std::vector<MacroRecord> macros;
};

class UploadSnapshot {
 public:
  Held<SnapshotContents> Lock() { return {mutex_, contents_}; }

 private:
  std::recursive_mutex mutex_;
  SnapshotContents contents_;
};

}  // namespace talon
