#pragma once
// A shared library loaded at run time by its bare name, so the dynamic loader's search applies:
// LD_LIBRARY_PATH first, then the executable's RUNPATH ($ORIGIN: the folder of the program).
#include <string>

namespace talon {

class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // False when the library cannot be loaded; error() then says why.
  bool Load(const std::string& name);
  bool loaded() const { return handle_ != nullptr; }
  // nullptr when the library has no such symbol.
  void* Symbol(const char* name) const;
  const std::string& error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

// Where a bare library name is looked for, for messages: "LD_LIBRARY_PATH (...), then <the
// program's folder>".
std::string LibrarySearchDescription();

}  // namespace talon
