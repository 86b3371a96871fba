#include "model/profile_file.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <limits>
#include <new>
#include <string>

#include "platform/file_io.h"
#include "platform/little_endian.h"

namespace talon {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMaxProfileFileSize = (std::uint64_t{1} << 32) - 1;

std::span<std::uint8_t> AsBytes(std::string& data) {
  return {reinterpret_cast<std::uint8_t*>(data.data()), data.size()};
}

// The string at `offset` of the pool: up to its terminator, or to the end of the pool.
std::u16string PoolString(std::span<const std::uint8_t> pool, std::uint32_t offset) {
  std::u16string text;
  for (std::size_t at = offset; InRange(pool, at, 2); at += 2) {
    const std::uint16_t unit = GetU16(pool, at);
    if (unit == 0) break;
    text.push_back(static_cast<char16_t>(unit));
  }
  return text;
}

// The header, when the file's bytes are a loadable profile file.
std::optional<ProfileFileHeader> LoadableHeader(std::span<const std::uint8_t> file) {
  if (file.size() < kKeyBlockSize) return std::nullopt;
  const ProfileFileHeader header = ParseProfileHeader(file.first(kProfileHeaderSize));
  if (!ProfileHeaderIsValid(header)) return std::nullopt;
  if (file.size() < ExpectedFileSize(header.macro_count, header.pool_size)) return std::nullopt;
  return header;
}

ProfileContents ParseProfile(std::span<const std::uint8_t> file, const ProfileFileHeader& header) {
  ProfileContents contents;
  contents.key_block = ParseKeyBlock(file.first<kKeyBlockSize>());
  std::size_t at = kKeyBlockSize;
  contents.macros.reserve(header.macro_count);
  for (std::size_t i = 0; i < header.macro_count; ++i, at += kMacroRecordSize) {
    contents.macros.push_back(ParseMacroRecord(file.subspan(at).first<kMacroRecordSize>()));
    // Only an editor's uncommitted macros are new; a commit would drop the keys of one that
    // claimed to be.
    contents.macros.back().new_flag = 0;
  }
  const std::span<const std::uint8_t> pool = file.subspan(at, header.pool_size);
  for (std::size_t i = 0; i < kKeyRecordCount; ++i) {
    const KeyRecord& record = contents.key_block.records[i];
    if (CarriesString(record.type)) {
      contents.launch_strings.Set(i, PoolString(pool, record.value & ~std::uint32_t{1}));
    }
  }
  return contents;
}

// Lays the strings out in key-record order and points their records at them.
std::string BuildPool(ProfileContents& contents, std::uint32_t pool_size) {
  std::string pool(pool_size, '\0');
  const std::span<std::uint8_t> bytes = AsBytes(pool);
  std::uint64_t offset = 0;
  for (std::size_t i = 0; i < kKeyRecordCount; ++i) {
    KeyRecord& record = contents.key_block.records[i];
    const std::uint64_t size = contents.launch_strings.SizeOf(i);
    if (size == 0 || !CarriesString(record.type) || offset + size > pool_size) continue;
    const std::u16string& text = *contents.launch_strings.Get(i);
    for (std::size_t c = 0; c < text.size(); ++c) PutU16(bytes, offset + 2 * c, text[c]);
    record.value = static_cast<std::uint32_t>(offset);
    offset += size;
  }
  return pool;
}

}  // namespace

fs::path WorkingProfilePath(const ProfilePaths& paths) {
  if (paths.ensure_user_folder) paths.ensure_user_folder();
  return paths.working_profile;
}

int CheckProfileFile(const fs::path& path, ModelPort& port) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return kProfileUnusable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return kProfileCannotOpen;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxProfileFileSize || size < kKeyBlockSize) return kProfileUnusable;

  std::array<std::uint8_t, kProfileHeaderSize> head{};
  in.read(reinterpret_cast<char*>(head.data()), head.size());
  if (in.gcount() != static_cast<std::streamsize>(head.size())) return kProfileCannotOpen;
  const ProfileFileHeader header = ParseProfileHeader(head);
  // The header's sizes are also held against the file: a shorter file would be read short.
  if (!ProfileHeaderIsValid(header) ||
      size < ExpectedFileSize(header.macro_count, header.pool_size)) {
    port.ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
    return kProfileUnusable;
  }
  return kProfileUsable;
}

int ReadProfileFile(ProfileStore& store, const fs::path& path) {
  const auto held = store.Lock();
  ReleaseContents(*held);
  try {
    std::string data;
    if (ReadWholeFile(path, data, kMaxProfileFileSize) != ReadFileResult::kRead) {
      return kProfileUnusable;
    }
    return ReadProfileBytes(store, AsBytes(data));
  } catch (const std::bad_alloc&) {
    ReleaseContents(*held);
    return kProfileUnusable;
  }
}

int ReadProfileBytes(ProfileStore& store, std::span<const std::uint8_t> bytes) {
  const auto held = store.Lock();
  ReleaseContents(*held);
  try {
    const auto header = LoadableHeader(bytes);
    if (!header) return kProfileUnusable;
    ProfileContents loaded = ParseProfile(bytes, *header);
    // The recorder's state is not part of a file and stays as it is.
    held->key_block = loaded.key_block;
    held->macros = std::move(loaded.macros);
    held->launch_strings = std::move(loaded.launch_strings);
  } catch (const std::bad_alloc&) {
    ReleaseContents(*held);
    return kProfileUnusable;
  }
  return kProfileUsable;
}

int WriteProfileFile(ProfileStore& store, const fs::path& path) {
  const auto held = store.Lock();
  ProfileContents& contents = *held;
  const std::uint64_t pool_size = contents.launch_strings.total_bytes();
  // Refuse what no reader would take back rather than write a file that cannot be loaded.
  if (contents.macros.size() > kMaxMacros ||
      ExpectedFileSize(contents.macros.size(), pool_size) > kMaxProfileFileSize) {
    return kProfileUnusable;
  }
  try {
    const std::string pool = BuildPool(contents, static_cast<std::uint32_t>(pool_size));
    contents.key_block.header = BuildProfileHeader(
        static_cast<std::uint16_t>(contents.macros.size()), static_cast<std::uint32_t>(pool_size));
    std::string file(kKeyBlockSize + kMacroRecordSize * contents.macros.size(), '\0');
    const std::span<std::uint8_t> bytes = AsBytes(file);
    SerializeKeyBlock(contents.key_block, bytes.first<kKeyBlockSize>());
    for (std::size_t i = 0; i < contents.macros.size(); ++i) {
      SerializeMacroRecord(
          contents.macros[i],
          bytes.subspan(kKeyBlockSize + i * kMacroRecordSize).first<kMacroRecordSize>());
    }
    file += pool;
    return WriteFileAtomically(path, file) ? kProfileUsable : kProfileUnusable;
  } catch (const std::bad_alloc&) {
    return kProfileUnusable;
  }
}

int SaveWorkingProfile(ProfileStore& store, const ProfilePaths& paths) {
  const fs::path path = WorkingProfilePath(paths);
  std::error_code ec;
  if (!fs::exists(path, ec)) return kProfileUnusable;
  return WriteProfileFile(store, path);
}

int CreateEmptyProfile(const fs::path& path) {
  std::string file(kKeyBlockSize, '\0');
  SerializeKeyBlock(FreshKeyBlock(), AsBytes(file).first<kKeyBlockSize>());
  return WriteFileAtomically(path, file) ? kProfileUsable : kProfileUnusable;
}

void CreateEmptyProfile(ProfileStore& store) {
  ReleaseContents(*store.Lock());
}

}  // namespace talon
