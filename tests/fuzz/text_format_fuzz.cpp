// The language text formatter over any format a language file may hold: nothing undefined
// reaches printf, and what it gives stays within the format, its widths (at most 1000) and the
// value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  if (size < 1) return 0;
  const long long number = static_cast<std::int8_t>(data[0]) * 1000003LL;
  const std::string_view format(reinterpret_cast<const char*>(data + 1), size - 1);
  (void)PrintfArguments(format);
  const std::string with_int = FormatWithInt(format, number);
  const std::string with_string = FormatWithString(format, "VALUE");
  // Each conversion adds at most its width or the value; a fallback adds the value once.
  const std::size_t bound = format.size() * 1001 + 64;
  fuzz::Require(with_string.size() <= bound, "the text grew beyond its format");
  fuzz::Require(with_int.size() <= bound, "the text grew beyond its format");
  return 0;
}
