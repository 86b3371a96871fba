#include "crash_targets.h"

#include <charconv>
#include <string>
#include <system_error>

#include "model/profile_file.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "shell/preferences.h"

namespace talon::test {

namespace {

namespace fs = std::filesystem;

constexpr KeySlot kF5 = 0x03F;
// The user colour-mode file's section naming the selected mode, as the model writes it.
constexpr std::string_view kPresentModeSection = "PRESENTMODE";
constexpr std::string_view kCounterKey = "Counter";
constexpr std::string_view kSettingsSection = "Lighting";

// A store that differs with n in a key record and in its macro list, whose length (and so the
// file's size) changes from one version to the next.
void FillVersion(ProfileStore& store, std::uint64_t n) {
  auto held = store.Lock();
  ReleaseContents(*held);
  held->key_block.record(0, kF5) = {AssignmentKind::kMedia, 0, static_cast<std::uint32_t>(n)};
  for (std::uint64_t m = 0; m < n % 3; ++m) {
    MacroRecord macro;
    macro.id = static_cast<std::uint16_t>(m + 1);
    macro.name = u"Crash";
    macro.repeat_count = 1;
    macro.actions.push_back({10, 0x023, 1});
    held->macros.push_back(macro);
  }
}

std::optional<std::uint64_t> Number(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The number an INI file holds, as its writer put it.
std::optional<std::uint64_t> IniNumber(CrashTarget target, const fs::path& path) {
  if (target == CrashTarget::kRegistry) {
    const Preferences::Dword value =
        Preferences(path).ReadDword(Preferences::kProgramKey, kCounterKey);
    if (value.status != Preferences::Status::kOk) return std::nullopt;
    return value.value;
  }
  IniDocument document;
  if (document.Load(path) != IniDocument::LoadResult::kLoaded) return std::nullopt;
  const auto section = target == CrashTarget::kUserColours ? kPresentModeSection : kSettingsSection;
  const auto value = document.Find(section, kCounterKey);
  return value ? Number(*value) : std::nullopt;
}

std::optional<std::string> Contents(const fs::path& path) {
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadFileResult::kRead) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<CrashTarget> CrashTargetNamed(std::string_view name) {
  for (CrashTarget t : {CrashTarget::kWorkingProfile, CrashTarget::kUserColours,
                        CrashTarget::kRegistry, CrashTarget::kUserSettings}) {
    if (NameOf(t) == name) return t;
  }
  return std::nullopt;
}

std::string_view NameOf(CrashTarget target) {
  switch (target) {
    case CrashTarget::kWorkingProfile:
      return "profile";
    case CrashTarget::kUserColours:
      return "userd";
    case CrashTarget::kRegistry:
      return "registry";
    case CrashTarget::kUserSettings:
      return "wskb";
  }
  return "";
}

std::string_view FileNameOf(CrashTarget target) {
  switch (target) {
    case CrashTarget::kWorkingProfile:
      return "working.vxp";
    case CrashTarget::kUserColours:
      return "UserDengColor_0.userd";
    case CrashTarget::kRegistry:
      return "registry.ini";
    case CrashTarget::kUserSettings:
      return "wskb.ini";
  }
  return "";
}

bool WriteVersion(CrashTarget target, const fs::path& path, std::uint64_t n) {
  const std::string value = std::to_string(n);
  switch (target) {
    case CrashTarget::kWorkingProfile: {
      ProfileStore store;
      FillVersion(store, n);
      return WriteProfileFile(store, path) == 1;
    }
    case CrashTarget::kUserColours:
      return WriteIniString(path, kPresentModeSection, kCounterKey, value);
    case CrashTarget::kRegistry:
      return Preferences(path).WriteDword(Preferences::kProgramKey, kCounterKey,
                                          static_cast<std::uint32_t>(n));
    case CrashTarget::kUserSettings:
      return IniFile(path).WriteString(kSettingsSection, kCounterKey, value);
  }
  return false;
}

std::optional<std::uint64_t> WholeVersionOf(CrashTarget target, const fs::path& path,
                                            const fs::path& scratch, std::string_view first) {
  const std::optional<std::string> bytes = Contents(path);
  if (!bytes) return std::nullopt;
  std::optional<std::uint64_t> n;
  if (target == CrashTarget::kWorkingProfile) {
    ProfileStore store;
    if (ReadProfileFile(store, path) != 1) return std::nullopt;
    n = store.Lock()->key_block.record(0, kF5).value;
  } else {
    n = IniNumber(target, path);
  }
  if (!n) return std::nullopt;
  // Rebuild that version from the first one and compare every byte.
  std::error_code error;
  fs::remove(scratch, error);
  if (target != CrashTarget::kWorkingProfile && !WriteFileAtomically(scratch, first)) {
    return std::nullopt;
  }
  if (!WriteVersion(target, scratch, *n)) return std::nullopt;
  const std::optional<std::string> rebuilt = Contents(scratch);
  if (!rebuilt || *rebuilt != *bytes) return std::nullopt;
  return n;
}

}  // namespace talon::test
