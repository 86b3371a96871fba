#include "platform/shared_library.h"

#include <dlfcn.h>

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

}  // namespace talon
