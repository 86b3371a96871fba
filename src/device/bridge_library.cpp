#include "device/bridge_library.h"

namespace talon {

namespace {

template <typename Fn>
bool BindOne(const SharedLibrary& library, const char* name, Fn& out, std::string& error) {
  out = reinterpret_cast<Fn>(library.Symbol(name));
  if (out == nullptr && error.empty()) error = std::string("missing entry point ") + name;
  return out != nullptr;
}

}  // namespace

BindResult BridgeLibrary::Bind(const std::string& name) {
  if (!library_.Load(name)) {
    error_ = library_.error();
    return BindResult::kNotLoadable;
  }
  error_.clear();
  BridgeEntryPoints e;
  bool ok = true;
  ok &= BindOne(library_, "Init", e.init, error_);
  ok &= BindOne(library_, "RequestGetDeviceCount", e.get_device_count, error_);
  ok &= BindOne(library_, "RequestWriteOne", e.write_one, error_);
  ok &= BindOne(library_, "RequestAsyncRead", e.async_read, error_);
  ok &= BindOne(library_, "RequestStatusWrite", e.status_write, error_);
  ok &= BindOne(library_, "DeleteRequestFromUnitId", e.delete_request, error_);
  ok &= BindOne(library_, "End", e.end, error_);
  ok &= BindOne(library_, "Debug", e.debug, error_);
  ok &= BindOne(library_, "DeleteRequestFromHandle", e.delete_request_from_handle, error_);
  ok &= BindOne(library_, "RequestWrite", e.write, error_);
  ok &= BindOne(library_, "RequestStatusGet", e.status_get, error_);
  ok &= BindOne(library_, "RequestStatusSetFeature", e.status_set_feature, error_);
  if (!ok) return BindResult::kEntryMissing;
  entry_ = e;
  return BindResult::kBound;
}

}  // namespace talon
