// The INI reader over any text: reading and writing back changes nothing, and a key set is
// found again with the value it was given. The input's first line names the section, key and
// value to set ("section|key|value"); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t line_end = input.find('\n');
  const std::string_view request = input.substr(0, line_end);
  const std::string_view text =
      line_end == std::string_view::npos ? "" : input.substr(line_end + 1);

  IniDocument document;
  document.Parse(text);
  const std::string written = document.Serialize();
  IniDocument reread;
  reread.Parse(written);
  fuzz::Require(reread.Serialize() == written, "reading what was written changes it");

  const std::size_t bar = request.find('|');
  const std::size_t bar2 = bar == std::string_view::npos ? bar : request.find('|', bar + 1);
  if (bar2 == std::string_view::npos) return 0;
  const std::string_view section = request.substr(0, bar);
  const std::string_view key = request.substr(bar + 1, bar2 - bar - 1);
  const std::string_view value = request.substr(bar2 + 1);
  if (!document.SetString(section, key, value)) return 0;
  IniDocument after;
  after.Parse(document.Serialize());
  const auto found = after.Find(section, key);
  fuzz::Require(found && *found == value, "a key set is not found with its value");
  (void)after.GetInt(section, key, 7);
  return 0;
}
