#include "hid_device_handle.h"

namespace talon::bridge {

namespace {

// hidapi hands out wide strings; the library keeps UTF-8.
void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x110000) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += '?';
  }
}

}  // namespace

std::mutex& HidapiGlobalLock() {
  static std::mutex lock;
  return lock;
}

std::string CopyHidError(hid_device* device) {
  const wchar_t* message = hid_error(device);
  std::string copy;
  for (; message != nullptr && *message != L'\0'; ++message) {
    AppendUtf8(copy, static_cast<char32_t>(*message));
  }
  return copy.empty() ? std::string("unknown hidapi error") : copy;
}

}  // namespace talon::bridge
