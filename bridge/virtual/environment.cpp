#include "environment.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

namespace talon::vkb {

namespace {

constexpr std::uint32_t kMaxLatencyUs = 10'000'000;

std::optional<std::uint32_t> Number(const char* name, std::uint32_t max) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (errno != 0 || *end != '\0' || value > max || text[0] == '-') return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::filesystem::path StateFile() {
  if (const char* explicit_file = std::getenv("TALON7X_VKB_STATE")) return explicit_file;
  const std::filesystem::path relative =
      std::filesystem::path("talon7x") / "virtual-keyboard.state";
  const char* state_home = std::getenv("XDG_STATE_HOME");
  if (state_home != nullptr && std::filesystem::path(state_home).is_absolute())
    return std::filesystem::path(state_home) / relative;
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0')
    return std::filesystem::path(home) / ".local" / "state" / relative;
  return {};
}

}  // namespace

Environment ReadEnvironment() {
  Environment env;
  env.state_file = StateFile();
  if (const auto v = Number("TALON7X_VKB_FIRMWARE", 0xFFFF))
    env.options.firmware_version = static_cast<std::uint16_t>(*v);
  if (const auto v = Number("TALON7X_VKB_CAPACITY", 255))
    env.options.capacity_units = static_cast<std::uint8_t>(*v);
  env.absent = Number("TALON7X_VKB_ABSENT", 1).value_or(0) == 1;
  env.latency_us = Number("TALON7X_VKB_LATENCY_US", kMaxLatencyUs).value_or(0);
  return env;
}

}  // namespace talon::vkb
