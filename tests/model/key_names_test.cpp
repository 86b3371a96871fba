// Keys found by the names people type, and the closest names offered when a name is unknown.
#include "model/key_names.h"

#include <gtest/gtest.h>

#include <map>

namespace talon {
namespace {

TEST(KeyNames, KeysAnswerToTheirEnglishNameAndIdentifier) {
  const struct {
    const char* typed;
    KeyId key;
  } cases[] = {
      {"Caps Lock", 0x03A},
      {"capslock", 0x03A},
      {"CAPS", 0x03A},
      {"c a p s", 0x03A},
      {"LSHIFT", 0x02A},
      {"Shift", 0x02A},
      {"Right Shift", 0x036},
      {"RSHIFT", 0x036},
      {"LEFT", 0x14B},
      {"←", 0x14B},
      {"Num 1", 0x04F},
      {"S_1", 0x04F},
      {"1", 0x002},
      {"=", 0x00D},
      {"EQU", 0x00D},
      {"Print Screen", 0x137},
      {"CapsLok", 0},
      {"", 0},
      {"Mute", 0},  // media keys are not reassignable
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyOfName(c.typed, ReassignableKeys()), c.key) << c.typed;
  }
  EXPECT_EQ(KeyOfName("Left Button", MacroActionKeys()), key::kLeftButton);
  EXPECT_EQ(KeyOfName("Left Button", SingleKeyTargets()), 0);
  EXPECT_EQ(KeyOfName("Break", SingleKeyTargets()), 0x146);
  EXPECT_EQ(KeyOfName("Break", ReassignableKeys()), 0);  // no button of its own
}

// A name that two keys answer to would silently pick one of them.
TEST(KeyNames, EveryNameOfASetNamesOneKey) {
  const std::pair<const char*, std::span<const KeyId>> sets[] = {
      {"reassignable", ReassignableKeys()},
      {"single key", SingleKeyTargets()},
      {"macro action", MacroActionKeys()},
  };
  for (const auto& [what, keys] : sets) {
    std::map<std::string, KeyId> owners;
    for (KeyId key : keys) {
      ASSERT_FALSE(NamesOfKey(key).empty()) << what << " " << key;
      for (std::string_view name : NamesOfKey(key)) {
        const auto [it, fresh] = owners.emplace(NormalisedName(name), key);
        EXPECT_TRUE(fresh || it->second == key)
            << what << ": '" << name << "' names " << key << " and " << it->second;
        EXPECT_EQ(KeyOfName(name, keys), key) << what << ": " << name;
      }
    }
  }
  EXPECT_EQ(ReassignableKeys().size(), kKeyButtonCount);
  EXPECT_EQ(SingleKeyTargets().size(), kKeyListSize - 1);  // without the empty entry
  EXPECT_EQ(MacroActionKeys().size(), kKeyListSize - 1 + 8);
}

TEST(KeyNames, ClosestNamesPutTheLikelyOneFirst) {
  const std::vector<std::string> names = EnglishNamesOf(SingleKeyTargets());
  EXPECT_EQ(ClosestNames("CapsLok", names).front(), "Caps Lock");
  EXPECT_EQ(ClosestNames("pgae up", names).front(), "Page Up");
  EXPECT_EQ(ClosestNames("Scrol", names, 1), std::vector<std::string>{"Scroll Lock"});
  // Equally far names keep their order; a name listed twice is offered once.
  EXPECT_EQ(ClosestNames("b", std::vector<std::string>{"a", "c", "a", "zz"}),
            (std::vector<std::string>{"a", "c", "zz"}));
  EXPECT_TRUE(ClosestNames("x", std::vector<std::string>{}).empty());
}

TEST(KeyNames, MediaFunctionsByName) {
  EXPECT_EQ(MediaIndexOfName("Mute"), 7);
  EXPECT_EQ(MediaIndexOfName("play/pause"), 1);
  EXPECT_EQ(MediaIndexOfName("V +"), 6);
  EXPECT_EQ(MediaIndexOfName("Muet"), -1);
  ASSERT_EQ(MediaNames().size(), kMediaCount);
  EXPECT_EQ(MediaNames()[17], "Mail");
}

}  // namespace
}  // namespace talon
