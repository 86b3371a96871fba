// One instance per user: the lock decides who is first, later starts hand their wish over the
// socket, and a lock whose owner is gone never stops a start.
#include "shell/single_instance.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <string>

#include <sys/stat.h>

namespace talon {
namespace {

constexpr std::uint32_t kOpen = 0x4F50454E;
constexpr std::uint32_t kKill = 0x4B494C4C;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "single-instance-test";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

class SingleInstanceTest : public testing::Test {
 protected:
  void SetUp() override {
    App();
    folder = std::filesystem::path(std::getenv("TALON7X_TEST_ROOT")) /
             testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(folder);
  }

  // Hands `tag` over from another thread while this one runs the event loop, as two
  // processes would.
  SingleInstance::Handover HandOverWhileServing(SingleInstance& later, std::uint32_t tag) {
    auto result = std::async(std::launch::async,
                             [&] { return later.HandOver(tag, std::chrono::milliseconds(2000)); });
    QElapsedTimer clock;
    clock.start();
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
           clock.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return result.get();
  }

  std::filesystem::path folder;
};

TEST_F(SingleInstanceTest, TheFirstHoldsTheLockAndLaterStartsHandOverTheirWish) {
  SingleInstance first(folder);
  ASSERT_TRUE(first.TryAcquire());
  std::vector<std::uint32_t> received;
  ASSERT_TRUE(first.Listen([&](std::uint32_t tag) { received.push_back(tag); }));
  // Only this user may reach the socket.
  struct stat st {};
  ASSERT_EQ(::stat(first.SocketPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u);

  SingleInstance second(folder);
  EXPECT_FALSE(second.TryAcquire());
  EXPECT_EQ(HandOverWhileServing(second, kOpen), SingleInstance::Handover::kDelivered);
  EXPECT_EQ(HandOverWhileServing(second, kKill), SingleInstance::Handover::kDelivered);
  QCoreApplication::processEvents();
  EXPECT_EQ(received, (std::vector<std::uint32_t>{kOpen, kKill}));
  EXPECT_FALSE(second.IsFirst());
}

TEST_F(SingleInstanceTest, AStartWaitingForAnInstanceThatEndsBecomesTheFirst) {
  auto first = std::make_unique<SingleInstance>(folder);
  ASSERT_TRUE(first->TryAcquire());  // holds the lock, never listens: still starting
  SingleInstance second(folder);
  auto handover = std::async(
      std::launch::async, [&] { return second.HandOver(kOpen, std::chrono::milliseconds(3000)); });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  first.reset();  // it ends
  EXPECT_EQ(handover.get(), SingleInstance::Handover::kBecameFirst);
  EXPECT_TRUE(second.IsFirst());
}

TEST_F(SingleInstanceTest, ALockFileAndSocketLeftBehindDoNotStopAStart) {
  std::ofstream(folder / "RX73P25D.lock") << "999999\n";
  std::ofstream(folder / "RX73P25D") << "not a socket";
  SingleInstance instance(folder);
  ASSERT_TRUE(instance.TryAcquire());
  EXPECT_TRUE(instance.Listen([](std::uint32_t) {}));
}

TEST_F(SingleInstanceTest, AnInstanceThatNeverAnswersIsReported) {
  SingleInstance first(folder);
  ASSERT_TRUE(first.TryAcquire());
  SingleInstance second(folder);
  EXPECT_EQ(second.HandOver(kOpen, std::chrono::milliseconds(300)),
            SingleInstance::Handover::kNoAnswer);
}

}  // namespace
}  // namespace talon
