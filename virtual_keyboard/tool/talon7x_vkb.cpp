// talon7x-vkb: looks into and resets the virtual keyboard behind libKbBridge.so, for demos
// and checks. It loads the library by its bare name, as the configurator does.
//
//   talon7x-vkb info                        firmware, profile, capacity, effects, presence
//   talon7x-vkb memory AREA OFFSET LENGTH   hex dump of a memory area
//   talon7x-vkb key POSITION                what a key position does under the active profile
//   talon7x-vkb reset                       factory state, written to the memory file
#include <dlfcn.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kb_bridge_abi.h"

namespace {

constexpr int kUsageError = 2;

struct Library {
  KbInitFn init = nullptr;
  KbRequestGetDeviceCountFn device_count = nullptr;
  KbSimResetFn reset = nullptr;
  KbSimReadMemoryFn read_memory = nullptr;
  KbSimKeyActionAtFn key_action = nullptr;
};

template <typename Fn>
bool Bind(void* handle, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(dlsym(handle, name));
  if (out == nullptr) std::fprintf(stderr, "talon7x-vkb: libKbBridge.so lacks %s\n", name);
  return out != nullptr;
}

std::optional<Library> Load() {
  void* handle = dlopen("libKbBridge.so", RTLD_NOW);
  if (handle == nullptr) {
    std::fprintf(stderr, "talon7x-vkb: cannot load libKbBridge.so: %s\n", dlerror());
    return std::nullopt;
  }
  Library lib;
  const bool bound =
      Bind(handle, "Init", lib.init) & Bind(handle, "RequestGetDeviceCount", lib.device_count) &
      Bind(handle, "KbSimReset", lib.reset) & Bind(handle, "KbSimReadMemory", lib.read_memory) &
      Bind(handle, "KbSimKeyActionAt", lib.key_action);
  if (!bound || lib.init(0) <= 0) return std::nullopt;
  return lib;
}

std::optional<std::uint32_t> Number(std::string_view text) {
  const std::string s(text);
  if (s.empty() || s[0] == '-') return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(s.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || value > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

struct AreaName {
  const char* name;
  std::uint32_t area;
};
constexpr AreaName kAreas[] = {
    {"info", KBSIM_AREA_DEVICE_INFO},    {"settings", KBSIM_AREA_SETTINGS},
    {"banks", KBSIM_AREA_KEY_BANKS},     {"default", KBSIM_AREA_DEFAULT_MAP},
    {"macros", KBSIM_AREA_MACROS},       {"colours", KBSIM_AREA_COLOURS},
    {"indicator", KBSIM_AREA_INDICATOR},
};

std::optional<std::uint32_t> Area(std::string_view text) {
  for (const AreaName& a : kAreas)
    if (text == a.name) return a.area;
  const auto n = Number(text);
  if (n && *n >= KBSIM_AREA_DEVICE_INFO && *n <= KBSIM_AREA_INDICATOR) return n;
  return std::nullopt;
}

std::vector<std::uint8_t> Read(const Library& lib, std::uint32_t area, std::uint32_t offset,
                               std::uint32_t length) {
  std::vector<std::uint8_t> bytes(length);
  if (lib.read_memory(area, offset, bytes.data(), length) != 1) return {};
  return bytes;
}

int Usage() {
  std::fprintf(stderr,
               "usage: talon7x-vkb info\n"
               "       talon7x-vkb memory AREA OFFSET LENGTH\n"
               "       talon7x-vkb key POSITION\n"
               "       talon7x-vkb reset\n"
               "AREA: info, settings, banks, default, macros, colours, indicator (or 1-7)\n");
  return kUsageError;
}

bool KeyboardPresent(const Library& lib) {
  const std::uint8_t record[KB_MATCH_RECORD_SIZE] = {KB_MATCH_ALL_FIELDS,
                                                     0,
                                                     0,
                                                     0,
                                                     KB_VENDOR_ID & 0xFF,
                                                     KB_VENDOR_ID >> 8,
                                                     KB_PRODUCT_ID & 0xFF,
                                                     KB_PRODUCT_ID >> 8,
                                                     KB_CONFIG_USAGE_PAGE & 0xFF,
                                                     KB_CONFIG_USAGE_PAGE >> 8,
                                                     KB_CONFIG_USAGE & 0xFF,
                                                     KB_CONFIG_USAGE >> 8};
  const std::uint8_t zeros[8] = {};
  const std::uint32_t check = KbCheckAdd(KbCheckAdd(0, record, sizeof record), zeros, sizeof zeros);
  return lib.device_count(record, 0, 0, check, 0) > 0;
}

int Info(const Library& lib) {
  const auto info = Read(lib, KBSIM_AREA_DEVICE_INFO, 0, 44);
  if (info.empty()) return 1;
  std::printf("keyboard        %s\n", KeyboardPresent(lib) ? "plugged in" : "unplugged");
  std::printf("firmware        0x%04X\n", info[8] | (info[9] << 8));
  std::printf("active profile  %u\n", info[10]);
  std::printf("macro capacity  %u bytes\n", info[11] * 128u);
  std::printf("effects        ");
  for (std::size_t i = 12; i < info.size(); ++i)
    if (info[i] != 0) std::printf(" %u", info[i]);
  std::printf("\n");
  return 0;
}

int Memory(const Library& lib, char** args) {
  const auto area = Area(args[0]);
  const auto offset = Number(args[1]);
  const auto length = Number(args[2]);
  if (!area || !offset || !length) return Usage();
  const auto bytes = Read(lib, *area, *offset, *length);
  if (bytes.empty() && *length > 0) {
    std::fprintf(stderr, "talon7x-vkb: the range lies outside the area\n");
    return 1;
  }
  for (std::size_t i = 0; i < bytes.size(); i += 16) {
    std::printf("%04zX ", *offset + i);
    for (std::size_t j = i; j < i + 16 && j < bytes.size(); ++j) std::printf(" %02X", bytes[j]);
    std::printf("\n");
  }
  return 0;
}

const char* KindName(std::uint32_t kind) {
  static const char* const kNames[] = {"nothing",  "key",   "modifier", "consumer",
                                       "system",   "mouse", "macro",    "stop macro",
                                       "function", "G key", "other"};
  return kind < std::size(kNames) ? kNames[kind] : "unknown";
}

int Key(const Library& lib, const char* arg) {
  const auto position = Number(arg);
  KbSimKeyAction action{};
  if (!position || lib.key_action(*position, &action) != 1) {
    std::fprintf(stderr, "talon7x-vkb: a position is 0-139\n");
    return kUsageError;
  }
  const auto info = Read(lib, KBSIM_AREA_DEVICE_INFO, 0, 44);
  const std::uint32_t profile = info.empty() ? 0 : info[10];
  const auto entry = Read(lib, KBSIM_AREA_KEY_BANKS, profile * 512 + *position * 3, 3);
  std::printf("position %u, profile %u: %s", *position, profile, KindName(action.kind));
  const bool numbered = action.kind == KBSIM_ACTION_MACRO || action.kind == KBSIM_ACTION_FUNCTION ||
                        action.kind == KBSIM_ACTION_GKEY;
  if (numbered)
    std::printf(" %u", action.value);
  else if (action.kind != KBSIM_ACTION_NONE && action.kind != KBSIM_ACTION_STOP_MACRO)
    std::printf(" 0x%02X", action.value);
  if (entry.size() == 3) std::printf("  (entry %02X %02X %02X)", entry[0], entry[1], entry[2]);
  std::printf("\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  const bool known = (command == "info" && argc == 2) || (command == "reset" && argc == 2) ||
                     (command == "key" && argc == 3) || (command == "memory" && argc == 5);
  if (!known) return Usage();
  const auto lib = Load();
  if (!lib) return 1;
  if (command == "info") return Info(*lib);
  if (command == "memory") return Memory(*lib, argv + 2);
  if (command == "key") return Key(*lib, argv[2]);
  lib->reset();
  std::printf("virtual keyboard reset to its factory state\n");
  return 0;
}
