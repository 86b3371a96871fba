// The profile file check and reader over any file: nothing is read outside the file, a file
// that passes is loaded within the format's limits, and what was loaded survives being written
// and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_support.h"
#include "model/key_block.h"
#include "model/model_port.h"
#include "model/profile_file.h"

namespace {

using namespace talon;

class QuietPort : public ModelPort {
 public:
  MessageAnswer ShowMessage(const MessageRequest&) override { return MessageAnswer::kOk; }
  void RedrawKeyButton(KeySlot, int) override {}
  void ReloadKeyButtons() override {}
  void SetApplyEnabled(bool) override {}
};

bool SameContents(ProfileStore& a, ProfileStore& b) {
  auto x = a.Lock();
  auto y = b.Lock();
  if (x->key_block.records != y->key_block.records || x->macros != y->macros) return false;
  for (std::size_t r = 0; r < kKeyRecordCount; ++r) {
    const std::u16string* s = x->launch_strings.Get(r);
    const std::u16string* t = y->launch_strings.Get(r);
    if ((s == nullptr) != (t == nullptr) || (s != nullptr && *s != *t)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::WriteScratchFile("input.vxp", std::span(data, size));
  // Kept between inputs: each read replaces all a store holds.
  static QuietPort port;
  static ProfileStore first;
  static ProfileStore second;
  const int usable = CheckProfileFile(path, port);
  const int read = ReadProfileFile(first, path);
  fuzz::Require(read == 0 || usable == 1, "a file failing the check was loaded");
  if (read != 1) {
    auto held = first.Lock();
    fuzz::Require(held->macros.empty(), "a failed read left macros behind");
    return 0;
  }
  fuzz::Require(first.Lock()->macros.size() <= 100, "more than 100 macros loaded");
  const auto copy = fuzz::ScratchFolder() / "copy.vxp";
  fuzz::Require(WriteProfileFile(first, copy) == 1, "a loaded store could not be written");
  fuzz::Require(ReadProfileFile(second, copy) == 1, "a written file could not be read back");
  fuzz::Require(SameContents(first, second), "the store changed on its way through a file");
  return 0;
}
