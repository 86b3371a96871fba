// The key bank decoder over any bank and default map read from a keyboard (the first 420 bytes
// are the bank, the next 420 the default map, the compiled-in one when the input is shorter),
// then the encoder over what it decoded: decoding what was encoded gives the same records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_support.h"
#include "model/default_key_map.h"
#include "model/key_bank.h"
#include "model/key_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  const std::span<const std::uint8_t> input(data, size);
  KeyBank bank{};
  std::copy_n(input.begin(), std::min(input.size(), bank.size()), bank.begin());
  KeyBank default_map = DefaultKeyMap::CompiledIn();
  if (input.size() > bank.size()) {
    const auto rest = input.subspan(bank.size());
    std::copy_n(rest.begin(), std::min(rest.size(), default_map.size()), default_map.begin());
  }
  KeyBlock block = FreshKeyBlock();
  DecodeKeyBank(bank, block.profile(0), default_map);
  const auto records =
      std::span<const KeyRecord, kSlotsPerProfile>(block.records.data(), kSlotsPerProfile);
  const KeyBank encoded = EncodeKeyBank(records, {}, default_map);
  KeyBlock again = FreshKeyBlock();
  DecodeKeyBank(encoded, again.profile(0), default_map);
  talon::fuzz::Require(std::equal(records.begin(), records.end(), again.records.begin()),
                       "decode, encode, decode differs");
  return 0;
}
