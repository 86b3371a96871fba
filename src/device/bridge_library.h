#pragma once
// libKbBridge.so loaded by its bare name and its twelve entry points bound by name.
#include <string>

#include "kb_bridge_abi.h"
#include "platform/shared_library.h"

namespace talon {

inline constexpr const char* kBridgeLibraryName = "libKbBridge.so";

enum class BindResult {
  kBound,
  kNotLoadable,   // the library was not found or could not be loaded
  kEntryMissing,  // one of the twelve names is missing
};

struct BridgeEntryPoints {
  KbInitFn init = nullptr;
  KbRequestGetDeviceCountFn get_device_count = nullptr;
  KbRequestWriteOneFn write_one = nullptr;
  KbRequestAsyncReadFn async_read = nullptr;
  KbRequestStatusWriteFn status_write = nullptr;
  KbDeleteRequestFromUnitIdFn delete_request = nullptr;
  // Bound so that a library lacking them is refused; never called.
  KbEndFn end = nullptr;
  KbDebugFn debug = nullptr;
  KbDeleteRequestFromHandleFn delete_request_from_handle = nullptr;
  KbRequestWriteFn write = nullptr;
  KbRequestStatusGetFn status_get = nullptr;
  KbRequestStatusSetFeatureFn status_set_feature = nullptr;
};

class BridgeLibrary {
 public:
  BindResult Bind(const std::string& name = kBridgeLibraryName);
  const BridgeEntryPoints& entry() const { return entry_; }
  // Why binding failed: the loader's message or the missing name.
  const std::string& error() const { return error_; }

 private:
  SharedLibrary library_;
  BridgeEntryPoints entry_;
  std::string error_;
};

}  // namespace talon
