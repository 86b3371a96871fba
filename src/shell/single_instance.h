#pragma once
// One configurator per user. The first instance holds a lock file in the user's runtime folder
// (named after the program's mutex, RX73P25D) and listens on a local socket of the same name,
// reachable by this user only; a later start finds the lock taken and hands its wish ('OPEN' or
// 'KILL') to the first one over the socket. The kernel drops the lock with its owner, so a lock
// file left by a crash never stops a start.
#include <QObject>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QLocalServer;

namespace talon {

class SingleInstance : public QObject {
 public:
  static constexpr const char* kName = "RX73P25D";

  // `folder`: where the lock and the socket live (UserRuntimeFolder()).
  explicit SingleInstance(std::filesystem::path folder, std::string name = kName);
  ~SingleInstance() override;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process now holds the lock: it is the first instance.
  bool TryAcquire();
  bool IsFirst() const { return lock_fd_ >= 0; }

  // First instance: takes messages from later starts; `handler` gets each tag on this thread.
  // False when the socket cannot be made.
  bool Listen(std::function<void(std::uint32_t tag)> handler);

  enum class Handover { kDelivered, kBecameFirst, kNoAnswer };
  // A later start: delivers `tag` to the first instance, waiting up to `timeout` for it to
  // listen. When the first instance goes away meanwhile, this process takes the lock instead.
  Handover HandOver(std::uint32_t tag, std::chrono::milliseconds timeout);

  // Stops listening and releases the lock (exit).
  void Release();

  std::filesystem::path LockPath() const;
  std::filesystem::path SocketPath() const;

 private:
  void OnConnection();

  std::filesystem::path folder_;
  std::string name_;
  int lock_fd_ = -1;
  QLocalServer* server_ = nullptr;
  std::function<void(std::uint32_t)> handler_;
};

}  // namespace talon
