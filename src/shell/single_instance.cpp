#include "shell/single_instance.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <string>

namespace talon {
namespace {

constexpr int kTagBytes = 4;
constexpr char kAck = '1';
constexpr int kRetryMs = 25;

std::array<char, kTagBytes> TagBytes(std::uint32_t tag) {
  return {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16), static_cast<char>(tag >> 8),
          static_cast<char>(tag)};
}

std::uint32_t TagOf(const QByteArray& bytes) {
  std::uint32_t tag = 0;
  for (int i = 0; i < kTagBytes; ++i) tag = (tag << 8) | static_cast<unsigned char>(bytes[i]);
  return tag;
}

}  // namespace

SingleInstance::SingleInstance(std::filesystem::path folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
  Release();
}

std::filesystem::path SingleInstance::LockPath() const {
  return folder_ / (name_ + ".lock");
}

std::filesystem::path SingleInstance::SocketPath() const {
  return folder_ / name_;
}

bool SingleInstance::TryAcquire() {
  if (lock_fd_ >= 0) return true;
  if (folder_.empty()) return false;
  // Close-on-exec: a helper program we start must not keep the lock after we are gone.
  const int fd = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  lock_fd_ = fd;
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] auto n = ::pwrite(fd, pid.data(), pid.size(), 0);
  }
  return true;
}

bool SingleInstance::Listen(std::function<void(std::uint32_t)> handler) {
  if (!IsFirst()) return false;
  handler_ = std::move(handler);
  if (server_ == nullptr) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] { OnConnection(); });
  }
  const QString path = QString::fromStdString(SocketPath().string());
  // We hold the lock, so a socket file there is a dead instance's.
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void SingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
      if (socket->bytesAvailable() < kTagBytes) return;
      const QByteArray bytes = socket->read(kTagBytes);
      socket->write(&kAck, 1);
      socket->flush();
      socket->disconnectFromServer();
      if (handler_) handler_(TagOf(bytes));
    });
  }
}

SingleInstance::Handover SingleInstance::HandOver(std::uint32_t tag,
                                                  std::chrono::milliseconds timeout) {
  const QString path = QString::fromStdString(SocketPath().string());
  const std::array<char, kTagBytes> bytes = TagBytes(tag);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout.count()) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (socket.waitForConnected(kRetryMs * 4)) {
      socket.write(bytes.data(), kTagBytes);
      const int left = static_cast<int>(timeout.count() - clock.elapsed());
      if (socket.waitForBytesWritten(std::max(left, 1)) &&
          socket.waitForReadyRead(std::max(left, 1)) && socket.read(1) == QByteArray(1, kAck)) {
        return Handover::kDelivered;
      }
    }
    // Not listening yet (still starting), or gone: it may have ended and left the lock to us.
    if (TryAcquire()) return Handover::kBecameFirst;
    QThread::msleep(kRetryMs);
  }
  return Handover::kNoAnswer;
}

void SingleInstance::Release() {
  if (server_ != nullptr) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (lock_fd_ >= 0) {
    // The lock file stays: removing it would let a starting instance lock a file nobody else
    // sees. flock on the same name is what counts.
    ::close(lock_fd_);
    lock_fd_ = -1;
  }
}

}  // namespace talon
