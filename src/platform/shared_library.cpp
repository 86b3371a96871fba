#include "platform/shared_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace talon {

SharedLibrary::~SharedLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

bool SharedLibrary::Load(const std::string& name) {
  if (handle_ != nullptr) return true;
  handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();  // copied before anything else can overwrite it
    error_ = why != nullptr ? why : "unknown error";
    return false;
  }
  error_.clear();
  return true;
}

void* SharedLibrary::Symbol(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

std::string LibrarySearchDescription() {
  std::string where;
  if (const char* path = std::getenv("LD_LIBRARY_PATH"); path != nullptr && *path != '\0') {
    where += std::string("LD_LIBRARY_PATH (") + path + "), then ";
  }
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  where += ec ? std::string("the program's folder") : self.parent_path().string();
  return where;
}

}  // namespace talon
