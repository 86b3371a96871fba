// The report exchange against the virtual keyboard, loaded through the real loader: tries,
// time-outs, error statuses and their shared budget.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "device/config_report.h"
#include "device/result_codes.h"
#include "keyboard_session.h"

namespace talon {
namespace {

using test::KeyboardSession;
using Clock = std::chrono::steady_clock;

ConfigReport ReadInfoRequest() {
  ConfigReport request(command::kReadDeviceInfo);
  request.SetLength(44);
  request.Seal();
  return request;
}

struct ExchangeOutcome {
  int result;
  int received;
  std::uint8_t status;
  std::size_t frames_sent;
};

ExchangeOutcome Exchange(KeyboardSession& s) {
  std::array<std::uint8_t, 64> answer{};
  int received = -1;
  const int result = s.link.ExchangeReport(ReadInfoRequest().bytes(), answer, received);
  return {result, received, answer[7], s.vkb.Frames().size()};
}

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted) << s.link.error();
    s.vkb.ClearLog();
  }
  KeyboardSession s;
};

TEST_F(ExchangeTest, AnswerIsDelivered) {
  const auto outcome = Exchange(s);
  EXPECT_EQ(outcome.result, kDone);
  EXPECT_EQ(outcome.received, 64);
  EXPECT_EQ(outcome.frames_sent, 1u);
}

TEST_F(ExchangeTest, NoKeyboardReturnsAtOnceWithNothingSent) {
  s.vkb.Unplug();
  const auto start = Clock::now();
  const auto outcome = Exchange(s);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_EQ(outcome.result, kNoKeyboard);
  EXPECT_EQ(outcome.received, 0);
  EXPECT_EQ(outcome.frames_sent, 0u);
}

// The three tries are one budget for time-outs, wrong command bytes and error statuses.
struct BudgetCase {
  const char* name;
  std::array<std::uint32_t, 3> faults;  // fault kind per try, 0 = answer normally
  int result;
  std::uint8_t status;
  std::size_t frames;
};

void PrintTo(const BudgetCase& c, std::ostream* out) { *out << c.name; }

class ExchangeBudgetTest : public ExchangeTest, public ::testing::WithParamInterface<BudgetCase> {};

TEST_P(ExchangeBudgetTest, SharesThreeTries) {
  const BudgetCase& c = GetParam();
  for (std::uint32_t i = 0; i < c.faults.size(); ++i) {
    if (c.faults[i] != 0) s.vkb.InjectFault(c.faults[i], i, 1);
  }
  const auto outcome = Exchange(s);
  EXPECT_EQ(outcome.result, c.result);
  EXPECT_EQ(outcome.frames_sent, c.frames);
  if (c.result == kDone) {
    EXPECT_EQ(outcome.status, c.status);
  } else {
    EXPECT_EQ(outcome.received, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeBudgetTest,
    ::testing::Values(
        BudgetCase{"status254ThreeTimes",
                   {KBSIM_FAULT_STATUS_254, KBSIM_FAULT_STATUS_254, KBSIM_FAULT_STATUS_254},
                   kDone,
                   254,
                   3},
        BudgetCase{"timeoutWrongCommandThenError",
                   {KBSIM_FAULT_DROP, KBSIM_FAULT_WRONG_COMMAND, KBSIM_FAULT_STATUS_255},
                   kDone,
                   255,
                   3},
        BudgetCase{"errorErrorThenTimeout",
                   {KBSIM_FAULT_STATUS_255, KBSIM_FAULT_STATUS_254, KBSIM_FAULT_DROP},
                   kNoAnswer,
                   0,
                   3},
        BudgetCase{
            "wrongCommandThreeTimes",
            {KBSIM_FAULT_WRONG_COMMAND, KBSIM_FAULT_WRONG_COMMAND, KBSIM_FAULT_WRONG_COMMAND},
            kNoAnswer,
            0,
            3},
        BudgetCase{
            "recoversOnTheThirdTry", {KBSIM_FAULT_DROP, KBSIM_FAULT_STATUS_254, 0}, kDone, 0, 3},
        // Missing bytes of a short answer read as zero: an empty answer has no command byte.
        BudgetCase{"emptyAnswerDoesNotMatch", {KBSIM_FAULT_SHORT, 0, 0}, kDone, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExchangeTest, ShortAnswerIsReadWithZerosAfterIt) {
  s.vkb.InjectFault(KBSIM_FAULT_SHORT, 0, 1, 8);
  std::array<std::uint8_t, 64> answer{};
  answer.fill(0xEE);
  int received = 0;
  EXPECT_EQ(s.link.ExchangeReport(ReadInfoRequest().bytes(), answer, received), kDone);
  EXPECT_EQ(received, 8);
  EXPECT_EQ(answer[3], command::kReadDeviceInfo);
  EXPECT_EQ(answer[8], 0);
  EXPECT_EQ(answer[63], 0);
}

TEST_F(ExchangeTest, AnswerIsCutToTheCallersCapacity) {
  std::array<std::uint8_t, 64> storage{};
  storage.fill(0xEE);
  int received = 0;
  EXPECT_EQ(
      s.link.ExchangeReport(ReadInfoRequest().bytes(), std::span(storage).first(16), received),
      kDone);
  EXPECT_EQ(received, 16);
  EXPECT_EQ(storage[16], 0xEE);
}

TEST_F(ExchangeTest, RequestShorterThan64IsPaddedWithZeros) {
  const auto full = ReadInfoRequest();
  std::array<std::uint8_t, 64> answer{};
  int received = 0;
  ASSERT_EQ(s.link.ExchangeReport(std::span(full.bytes()).first(8), answer, received), kDone);
  const auto frames = s.vkb.Frames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], std::vector<std::uint8_t>(full.bytes().begin(), full.bytes().end()));
}

TEST(ExchangeLateAnswer, AnswerAfterItsWaitIsIgnored) {
  // The first answer comes 120 ms late: after its 60 ms wait, inside the 200 ms pause before
  // the next try. The next try gets an answer of its own.
  auto timings = test::FastTimings();
  timings.answer_wait = std::chrono::milliseconds(60);
  timings.retry_pause = std::chrono::milliseconds(200);
  KeyboardSession s(timings);
  ASSERT_EQ(s.start_result, StartResult::kStarted);
  s.vkb.ClearLog();
  s.vkb.InjectFault(KBSIM_FAULT_DELAY, 0, 1, 120);
  const auto outcome = Exchange(s);
  EXPECT_EQ(outcome.result, kDone);
  EXPECT_EQ(outcome.frames_sent, 2u);
}

TEST(ExchangeRealTimings, SilentKeyboardIsAskedAgainAfterOneSecond) {
  KeyboardSession s(ExchangeTimings{});
  ASSERT_EQ(s.start_result, StartResult::kStarted);
  s.vkb.ClearLog();
  s.vkb.InjectFault(KBSIM_FAULT_DROP, 0, 1);
  const auto start = Clock::now();
  const auto outcome = Exchange(s);
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(outcome.result, kDone);
  EXPECT_EQ(outcome.frames_sent, 2u);
  EXPECT_GE(elapsed, std::chrono::milliseconds(1010));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
}

TEST_F(ExchangeTest, TwoThreadsNeverSeeEachOthersAnswers) {
  constexpr int kRounds = 1000;
  auto worker = [this](std::uint8_t command, std::uint8_t length, int& crossed, int& failed) {
    ConfigReport request(command);
    request.SetLength(length);
    request.Seal();
    for (int i = 0; i < kRounds; ++i) {
      std::array<std::uint8_t, 64> answer{};
      int received = 0;
      if (s.link.ExchangeReport(request.bytes(), answer, received) != kDone) {
        ++failed;
      } else if (answer[3] != command || answer[4] != length) {
        ++crossed;
      }
    }
  };
  int crossed_a = 0, failed_a = 0, crossed_b = 0, failed_b = 0;
  std::thread a(worker, command::kReadDeviceInfo, 44, std::ref(crossed_a), std::ref(failed_a));
  std::thread b(worker, command::kReadDeviceData, 56, std::ref(crossed_b), std::ref(failed_b));
  a.join();
  b.join();
  EXPECT_EQ(crossed_a + crossed_b, 0);
  EXPECT_EQ(failed_a + failed_b, 0);
  EXPECT_EQ(s.vkb.Frames().size(), 2u * kRounds);
}

}  // namespace
}  // namespace talon
