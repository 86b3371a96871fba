// The keyboard misbehaving in the middle of an upload and of a capture, through the real loader
// against the virtual keyboard's fault plan, at the program's own timings: each fault ends the
// operation with its designed result within its bound, leaves the profile store and the working
// file as they were, and the next operation works.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device/config_report.h"
#include "device/device_link.h"
#include "device/result_codes.h"
#include "fake_texts.h"
#include "keyboard_session.h"
#include "model/key_block.h"
#include "model/keyboard_capture.h"
#include "model/keyboard_upload.h"
#include "model/profile_file.h"
#include "profile_files.h"
#include "recording_port.h"

namespace talon {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// Between the command set and the link: keeps the result of the last exchange that failed, as
// the command wrapper maps it (error statuses become -102 and -103).
class ResultRecorder : public ReportExchanger {
 public:
  explicit ResultRecorder(ReportExchanger& inner) : inner_(inner) {}
  int ExchangeReport(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer,
                     int& received) override {
    const int result = inner_.ExchangeReport(request, answer, received);
    int code = result;
    if (result == kDone && answer.size() > report_byte::kStatus) {
      if (answer[report_byte::kStatus] == kErrorStatus255) code = kKeyboardStatus255;
      if (answer[report_byte::kStatus] == kErrorStatus254) code = kKeyboardStatus254;
    }
    if (code != kDone && !first_failure) first_failure = code;
    return result;
  }
  std::optional<int> first_failure;

 private:
  ReportExchanger& inner_;
};

// Everything the store holds, to compare before and after.
struct StoreImage {
  Bytes key_block;
  std::vector<MacroRecord> macros;
  std::vector<std::u16string> strings;
  bool operator==(const StoreImage&) const = default;
};

StoreImage ImageOf(ProfileStore& store) {
  auto held = store.Lock();
  StoreImage image{Bytes(kKeyBlockSize), held->macros, {}};
  SerializeKeyBlock(held->key_block, std::span<std::uint8_t, kKeyBlockSize>(image.key_block));
  for (std::size_t r = 0; r < kKeyRecordCount; ++r) {
    const std::u16string* s = held->launch_strings.Get(r);
    image.strings.push_back(s != nullptr ? *s : u"");
  }
  return image;
}

enum class Operation { kUpload, kCapture };

struct FaultCase {
  const char* name;
  Operation operation;
  std::uint32_t kind;
  std::uint32_t count;  // answers hit, from the middle of the transfer on
  std::uint32_t param;
  std::optional<int> code;  // the failing exchange's result; none when the operation succeeds
  std::chrono::milliseconds at_least;
  std::chrono::milliseconds at_most;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
  *out << c.name;
}

// Three tries of 1000 ms with 10 ms pauses, and room for a loaded machine.
constexpr auto kThreeTries = 3020ms;
constexpr auto kSlack = 600ms;

const FaultCase kCases[] = {
    {"UploadAnswerDropped", Operation::kUpload, KBSIM_FAULT_DROP, 3, 0, kNoAnswer, kThreeTries,
     kThreeTries + kSlack},
    {"UploadWrongCommand", Operation::kUpload, KBSIM_FAULT_WRONG_COMMAND, 3, 0, kNoAnswer, 0ms,
     kSlack},
    {"UploadStatus254", Operation::kUpload, KBSIM_FAULT_STATUS_254, 3, 0, kKeyboardStatus254, 0ms,
     kSlack},
    {"UploadStatus255", Operation::kUpload, KBSIM_FAULT_STATUS_255, 3, 0, kKeyboardStatus255, 0ms,
     kSlack},
    // Later than the wait: the retry takes it, and the rest of the transfer is not shifted.
    {"UploadAnswerLate", Operation::kUpload, KBSIM_FAULT_DELAY, 1, 1100, std::nullopt, 1100ms,
     1100ms + kSlack},
    {"UploadUnplugged", Operation::kUpload, KBSIM_FAULT_UNPLUG, 1, 0, kWriteRefused, 1010ms,
     1010ms + kSlack},
    {"CaptureAnswerDropped", Operation::kCapture, KBSIM_FAULT_DROP, 3, 0, kNoAnswer, kThreeTries,
     kThreeTries + kSlack},
    {"CaptureStatus255", Operation::kCapture, KBSIM_FAULT_STATUS_255, 3, 0, kKeyboardStatus255, 0ms,
     kSlack},
    {"CaptureAnswerLate", Operation::kCapture, KBSIM_FAULT_DELAY, 1, 1100, std::nullopt, 1100ms,
     1100ms + kSlack},
    {"CaptureUnplugged", Operation::kCapture, KBSIM_FAULT_UNPLUG, 1, 0, kWriteRefused, 1010ms,
     1010ms + kSlack},
};

class FaultSuite : public ::testing::TestWithParam<FaultCase> {
 protected:
  void SetUp() override {
    vkb.Reset();
    ASSERT_EQ(link.Start(&events), StartResult::kStarted) << link.error();
    ASSERT_EQ(commands.GetActiveProfile(), 0);  // cached: no exchange of its own below
    DeviceInfoBlock info;
    ASSERT_EQ(commands.ReadDeviceInfo(info), kDone);
    model.macro_capacity.Set(info.macro_capacity());
    FillStore();
    const auto folder = test::CaseFolder();
    working_file = folder / "working.vxp";
    ASSERT_EQ(WriteProfileFile(model.store, working_file), 1);
    // What a fault-free run of each operation leaves on the keyboard and in a file.
    ASSERT_EQ(UploadToKeyboard(context, false), 1);
    uploaded_bank = vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, kKeyBankSize);
    const auto reference = folder / "reference.vxp";
    ASSERT_EQ(CaptureKeyboardToFile(commands, model.default_key_map, texts, reference), 1);
    captured = test::FileBytes(reference);
    if (GetParam().operation == Operation::kUpload) {
      vkb.WriteMemory(KBSIM_AREA_KEY_BANKS, 0, Bytes(kKeyBankSize, 0));  // so an upload shows
    }
  }

  void FillStore() {
    auto held = model.store.Lock();
    held->key_block.record(0, 0x03F) = {AssignmentKind::kMedia, 0, 7};  // F5: Mute
    held->key_block.record(0, 0x03B) = {AssignmentKind::kDisabled, 0, 0};
    MacroRecord macro;
    macro.id = 1;
    macro.name = u"Greeting";
    macro.repeat_count = 1;
    for (std::uint16_t i = 0; i < 40; ++i)
      macro.actions.push_back({10, 0x023, static_cast<std::uint16_t>(i % 2)});
    held->macros.push_back(macro);
  }

  int Run(Operation operation) {
    if (operation == Operation::kUpload) return UploadToKeyboard(context, false);
    return CaptureKeyboardToFile(commands, model.default_key_map, texts, working_file);
  }

  test::VirtualKeyboardControl vkb;
  test::RecordingEventPort events;
  DeviceLink link{ExchangeTimings{}};
  ResultRecorder recorder{link};
  KeyboardCommands commands{recorder, ExchangeTimings{}};
  KeyboardModel model;
  test::RecordingPort port;
  test::FakeTexts texts;
  ModelContext context = MakeContext(model, commands, port, texts);
  std::filesystem::path working_file;
  Bytes uploaded_bank;
  Bytes captured;
};

TEST_P(FaultSuite, EndsAsDesignedWithinItsBoundAndLosesNothing) {
  const FaultCase& c = GetParam();
  const StoreImage store_before = ImageOf(model.store);
  const Bytes file_before = test::FileBytes(working_file);
  recorder.first_failure.reset();
  // An upload is BeginConfig, four macro area chunks, eight key bank chunks and EndConfig, and
  // only the bank decides its result: the fault hits the bank's third chunk. A capture is
  // 32 key bank chunks and the macro area: the fault hits the fourth.
  vkb.InjectFault(c.kind, c.operation == Operation::kUpload ? 7 : 3, c.count, c.param);

  const auto start = Clock::now();
  const int result = Run(c.operation);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);

  EXPECT_EQ(result, c.code ? 0 : 1);
  EXPECT_EQ(recorder.first_failure, c.code);
  EXPECT_GE(took, c.at_least);
  EXPECT_LE(took, c.at_most);
  const bool store_intact = ImageOf(model.store) == store_before;
  const bool file_intact = test::FileBytes(working_file) == file_before;
  EXPECT_TRUE(store_intact);
  if (c.code || c.operation == Operation::kUpload) {
    EXPECT_TRUE(file_intact) << "a failed operation changed the working file";
  } else {
    EXPECT_EQ(test::FileBytes(working_file), captured) << "the late answer shifted the capture";
  }

  vkb.ClearFaults();
  vkb.Plug();
  const int next = Run(c.operation);
  EXPECT_EQ(next, 1) << "the next operation failed";
  if (c.operation == Operation::kUpload) {
    EXPECT_EQ(vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, kKeyBankSize), uploaded_bank);
  } else {
    EXPECT_EQ(test::FileBytes(working_file), captured);
  }
  // One line per fault for the record.
  std::printf(
      "fault-table | %-20s | result %d (exchange %s) | %5lld ms | store %s | file %s | "
      "next %s\n",
      c.name, result, c.code ? std::to_string(*c.code).c_str() : "1",
      static_cast<long long>(took.count()), store_intact ? "intact" : "CHANGED",
      file_intact ? "intact" : "rewritten", next == 1 ? "works" : "FAILS");
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultSuite, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talon
