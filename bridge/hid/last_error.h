#pragma once
// The library's last error message, kept for diagnosis: the program itself logs nothing.
#include <mutex>
#include <string>

namespace talon::bridge {

class LastError {
 public:
  void Set(std::string message) {
    std::lock_guard lock(mutex_);
    message_ = std::move(message);
  }
  std::string Get() const {
    std::lock_guard lock(mutex_);
    return message_;
  }

 private:
  mutable std::mutex mutex_;
  std::string message_;
};

}  // namespace talon::bridge
