#include "platform/file_io.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talon {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxSymlinkHops = 40;  // as the kernel's own limit

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Whether the regular file of `size` bytes at `path` holds exactly `data`.
bool HoldsExactly(const fs::path& path, off_t size, std::string_view data) {
  if (size < 0 || static_cast<std::uint64_t>(size) != data.size()) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[64 * 1024];
  bool same = true;
  std::size_t at = 0;
  while (same) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      same = n == 0 && at == data.size();
      break;
    }
    const auto count = static_cast<std::size_t>(n);
    same = at + count <= data.size() && data.compare(at, count, buffer, count) == 0;
    at += count;
  }
  ::close(fd);
  return same;
}

// Best effort: makes the rename itself durable. A failure here does not undo the write.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

// Read from /proc: umask(2) can only be read by setting it, which would race with other threads.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
  }
  return 022;
}

ReadFileResult ReadWholeFile(const fs::path& path, std::string& out, std::size_t max_bytes) {
  out.clear();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return ReadFileResult::kMissing;
  if (ec || !fs::is_regular_file(status)) return ReadFileResult::kUnreadable;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > max_bytes) return ReadFileResult::kUnreadable;

  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadFileResult::kUnreadable;
  out.resize(static_cast<std::size_t>(size));
  in.read(out.data(), static_cast<std::streamsize>(out.size()));
  if (in.gcount() != static_cast<std::streamsize>(out.size())) {
    out.clear();
    return ReadFileResult::kUnreadable;
  }
  // The file may have grown since it was measured; take what is there, within the limit.
  char extra[4096];
  while (in.read(extra, sizeof extra) || in.gcount() > 0) {
    if (out.size() + static_cast<std::size_t>(in.gcount()) > max_bytes) {
      out.clear();
      return ReadFileResult::kUnreadable;
    }
    out.append(extra, static_cast<std::size_t>(in.gcount()));
  }
  return ReadFileResult::kRead;
}

bool WriteFileAtomically(const fs::path& target_in, std::string_view data) {
  // Follow the links one by one: a link to a file that does not exist yet must get that file,
  // not be replaced by it.
  std::error_code ec;
  fs::path target = target_in;
  for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
    const fs::path next = fs::read_symlink(target, ec);
    if (ec || hops == kMaxSymlinkHops) return false;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";

  struct stat old_stat {};
  const bool exists = ::stat(target.c_str(), &old_stat) == 0;
  // Settings are often written back unchanged (each start writes several files the way they
  // were): a file that already holds exactly these bytes is left alone rather than flushed to
  // disk again for nothing.
  if (exists && S_ISREG(old_stat.st_mode) && HoldsExactly(target, old_stat.st_size, data)) {
    return true;
  }

  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  const mode_t mode = exists ? (old_stat.st_mode & 07777) : (0666 & ~CurrentUmask());
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace talon
