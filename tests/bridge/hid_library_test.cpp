// The built libKbBridge.so for real keyboards, through the loader as the program binds it. Only
// what holds with or without a keyboard attached is checked here; behaviour with a keyboard is
// tested through the fake hidapi.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include <dlfcn.h>

#include "kb_bridge_abi.h"

namespace {

template <typename Fn>
Fn Bind(void* library, const char* name) {
  auto fn = reinterpret_cast<Fn>(dlsym(library, name));
  EXPECT_NE(fn, nullptr) << name;
  return fn;
}

int Ignore(const KbBridgeEvent*) {
  return 1;
}

std::uint32_t RegistrationCheck(const std::array<std::uint8_t, 16>& record, std::uint32_t tag) {
  std::array<std::uint8_t, sizeof(void*) + 4> covered{};
  const auto address = reinterpret_cast<std::uintptr_t>(&Ignore);
  for (std::size_t i = 0; i < sizeof(void*); ++i) {
    covered[i] = static_cast<std::uint8_t>(address >> (8 * i));
  }
  for (std::size_t i = 0; i < 4; ++i) {
    covered[sizeof(void*) + i] = static_cast<std::uint8_t>(tag >> (8 * i));
  }
  return KbCheckAdd(KbCheckAdd(0, record.data(), record.size()), covered.data(), covered.size());
}

TEST(HidLibrary, ServesTheEntryPointsAndUnloadsWithStreamsRegistered) {
  void* library = dlopen(HID_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto init = Bind<KbInitFn>(library, "Init");
  const auto count = Bind<KbRequestGetDeviceCountFn>(library, "RequestGetDeviceCount");
  const auto read = Bind<KbRequestAsyncReadFn>(library, "RequestAsyncRead");
  const auto remove = Bind<KbDeleteRequestFromUnitIdFn>(library, "DeleteRequestFromUnitId");
  const auto end = Bind<KbEndFn>(library, "End");
  const auto status_get = Bind<KbRequestStatusGetFn>(library, "RequestStatusGet");
  ASSERT_TRUE(init && count && read && remove && end && status_get);

  const std::array<std::uint8_t, 16> config = {0x0F, 0,    0,    0, 0x45, 0x0C, 0x27, 0x5D,
                                               0x1C, 0xFF, 0x92, 0, 0,    0,    0,    0};
  const std::array<std::uint8_t, 8> zeros{};
  const std::uint32_t check =
      KbCheckAdd(KbCheckAdd(0, config.data(), config.size()), zeros.data(), zeros.size());
  EXPECT_GT(init(0), 0);
  EXPECT_GE(count(config.data(), 0, 0, check, 0), 0);
  EXPECT_EQ(count(config.data(), 0, 0, check + 1, 0), 0);

  std::uint32_t first = 0;
  std::uint32_t second = 0;
  const std::uint32_t ctrl = RegistrationCheck(config, KB_TAG_CTRL);
  EXPECT_EQ(read(config.data(), &Ignore, KB_TAG_CTRL, ctrl, &first), 1);
  EXPECT_EQ(read(config.data(), &Ignore, KB_TAG_CTRL, ctrl, &second), 1);
  EXPECT_GT(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(remove(first), 1);
  EXPECT_EQ(end(), 0);
  std::array<std::uint8_t, 2> data{};
  EXPECT_EQ(status_get(config.data(), data.data(), 2, 0), 0);

  // The second stream is still running: unloading must stop it rather than hang or crash.
  EXPECT_EQ(dlclose(library), 0);
}

}  // namespace
