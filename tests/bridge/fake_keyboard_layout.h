#pragma once
// How the fake bus lays a keyboard out: its collections, which node (interface) each lives on,
// the report descriptors of the nodes and where a written report goes.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "fake_hidapi.h"

namespace talon::test {

inline constexpr std::size_t kNodeCount = 2;

struct CollectionLayout {
  FakeCollection collection;
  std::size_t node;
  std::uint16_t usage_page;
  std::uint16_t usage;
};

// In the order hid_enumerate lists them.
const std::array<CollectionLayout, 5>& KeyboardCollections();
std::size_t NodeOf(FakeCollection collection);
std::span<const std::uint8_t> NodeDescriptor(std::size_t node);
// The collection an output report written to the node goes to; nullopt when none takes it.
std::optional<FakeCollection> WriteTarget(std::size_t node, std::span<const std::uint8_t> report);

}  // namespace talon::test
