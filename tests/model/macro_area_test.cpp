#include "model/macro_area.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_texts.h"
#include "platform/little_endian.h"

namespace talon {
namespace {

using Bytes = std::vector<std::uint8_t>;

MacroRecord Macro(std::u16string name, std::vector<MacroAction> actions, std::uint8_t repeat = 1) {
  MacroRecord m;
  m.name = std::move(name);
  m.actions = std::move(actions);
  m.repeat_count = repeat;
  return m;
}

TEST(MacroArea, EmptyListIsTheHeadAlone) {
  EXPECT_EQ(EncodeMacroArea({}, true),
            (Bytes{0xAA, 0x55, 0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(EncodeMacroArea({}, false)[6], 0);
}

TEST(MacroArea, OneNamedMacroByteForByte) {
  const MacroRecord macros[] = {Macro(u"Ab", {{15, 0x02A, action_state::kPress}})};
  EXPECT_EQ(EncodeMacroArea(macros, true),
            (Bytes{0xAA, 0x55, 0x1E, 0x00, 0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,  //
                   0x12, 0x00,                                                              //
                   0x01, 0x00, 0x01, 0x02,                                                  //
                   0x01, 0xA0, 0x01, 0x02,                                                  //
                   0x41, 0x00, 0x62, 0x00}));
  const Bytes nameless = EncodeMacroArea(macros, false);
  EXPECT_EQ(nameless.size(), 26u);
  EXPECT_EQ(nameless[6], 0);   // names flag
  EXPECT_EQ(nameless[21], 0);  // name length
}

TEST(MacroArea, ActionsAreWordAndTwoBytes) {
  struct Case {
    MacroAction action;
    std::uint16_t word;
    std::uint8_t byte2, byte3;
  } const cases[] = {
      {{40000, 0x01E, 0}, 0xAFA0, 0x02, 0x04},  // 4000 units of 10 ms
      {{50000, 0x01E, 0}, 0xAFA0, 0x02, 0x04},  // over the limit: clamped, kind bits intact
      {{15, 0x02A, 0}, 0xA001, 0x01, 0x02},    {{15, 0x02A, 1}, 0x2001, 0x01, 0x02},
      {{0, 0x15C, 0}, 0xA000, 0x01, 0x80},     {{0, 0x162, 0}, 0x9000, 0x05, 0xFF},
      {{0, 0x171, 1}, 0x1000, 0x01, 0x01},     {{0, 0x15E, 0}, 0xC000, 0x81, 0x00},
      {{0, 0x054, 0}, 0x8000, 0x00, 0x00},   // Sys Req has no usage
      {{20, 0x137, 2}, 0xA002, 0x02, 0x46},  // a state above 1 is a press
  };
  for (const Case& c : cases) {
    const MacroRecord macros[] = {Macro(u"", {c.action})};
    const Bytes area = EncodeMacroArea(macros, false);
    ASSERT_EQ(area.size(), 26u);
    EXPECT_EQ(GetU16(area, 22), c.word) << c.action.key;
    EXPECT_EQ(area[24], c.byte2) << c.action.key;
    EXPECT_EQ(area[25], c.byte3) << c.action.key;
  }
}

TEST(MacroArea, MeasureCountsActionsAndNames) {
  const MacroRecord macros[] = {Macro(u"abc", {}), Macro(u"x", {{0, 0x01E, 0}, {0, 0x01E, 1}})};
  const MacroAreaSizes sizes = MeasureMacroArea(macros);
  EXPECT_EQ(sizes.minimum, 16u + 4u + 4u + 4u + 8u);
  EXPECT_EQ(sizes.full, sizes.minimum + 8u);
  EXPECT_EQ(EncodeMacroArea(macros, true).size(), sizes.full);
  EXPECT_EQ(EncodeMacroArea(macros, false).size(), sizes.minimum);
}

TEST(MacroArea, DecodeGivesBackWhatWasEncoded) {
  const test::FakeTexts texts{{"MACRO_NEW_PREFIX", "Macro "}};
  std::vector<MacroAction> many;
  for (std::uint16_t i = 0; i < 300; ++i) {
    many.push_back({i * 10u, static_cast<KeyId>(i % 2 ? 0x171 : 0x01E), std::uint16_t(i % 2)});
  }
  const MacroRecord macros[] = {
      Macro(u"Build", {{15, 0x02A, 0}, {40000, 0x162, 0}, {0, 0x15F, 1}, {0, 0x036, 0}}, 3),
      Macro(u"", {}, 0), Macro(u"Long", many, 255)};
  const std::vector<MacroRecord> back = DecodeMacroArea(EncodeMacroArea(macros, true), texts);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].name, u"Build");
  EXPECT_EQ(back[0].id, 1);
  EXPECT_EQ(back[0].repeat_count, 3);
  EXPECT_EQ(back[0].actions, (std::vector<MacroAction>{
                                 {10, 0x02A, 0}, {40000, 0x162, 0}, {0, 0x15F, 1}, {0, 0x036, 0}}));
  EXPECT_EQ(back[1].name, u"Macro 2");  // the empty name went as length 0
  EXPECT_EQ(back[2].id, 3);
  EXPECT_EQ(back[2].actions, many);
  EXPECT_EQ(back[2].new_flag, 0);
}

TEST(MacroArea, NamelessMacrosAreNamedFromThePrefix) {
  const test::FakeTexts texts{{"MACRO_NEW_PREFIX", "Makro "}};
  const MacroRecord macros[] = {Macro(u"One", {}), Macro(u"Two", {{0, 0x01E, 0}})};
  const std::vector<MacroRecord> back = DecodeMacroArea(EncodeMacroArea(macros, false), texts);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].name, u"Makro 1");
  EXPECT_EQ(back[1].name, u"Makro 2");
}

// Three empty-named one-action macros; tests then break the area in one place.
Bytes ThreeMacros() {
  const MacroRecord macros[] = {Macro(u"a", {{0, 0x01E, 0}}), Macro(u"b", {{0, 0x030, 0}}),
                                Macro(u"c", {{0, 0x02E, 0}})};
  return EncodeMacroArea(macros, true);  // blocks at 22, 32, 42; length 52
}

TEST(MacroArea, MalformedAreasKeepTheMacrosThatAreWhole) {
  const test::FakeTexts texts{{"MACRO_NEW_PREFIX", "M"}};
  struct Case {
    const char* what;
    void (*damage)(Bytes&);
    std::vector<std::uint16_t> ids;
  } const cases[] = {
      {"intact", [](Bytes&) {}, {1, 2, 3}},
      {"no magic", [](Bytes& a) { a[0] = 0; }, {}},
      {"offset past the end", [](Bytes& a) { PutU16(a, 18, 0xFFF0); }, {1, 3}},
      {"offset at the last bytes", [](Bytes& a) { PutU16(a, 20, 50); }, {1, 2}},
      {"action count past the end", [](Bytes& a) { PutU16(a, 22, 0x4000); }, {2, 3}},
      {"more than 2000 actions", [](Bytes& a) { PutU16(a, 22, 2001); }, {2, 3}},
      {"name past the end", [](Bytes& a) { a[45] = 200; }, {1, 2}},
      {"stated length cuts the last block", [](Bytes& a) { PutU16(a, 2, 51); }, {1, 2}},
      {"stated length beyond the bytes", [](Bytes& a) { PutU16(a, 2, 0xFFFF); }, {1, 2, 3}},
      {"count one beyond the table", [](Bytes& a) { PutU16(a, 4, 4); }, {1, 2, 3}},
      {"cut inside the table", [](Bytes& a) { a.resize(19); }, {}},
      {"cut inside the head", [](Bytes& a) { a.resize(5); }, {}},
  };
  for (const Case& c : cases) {
    Bytes area = ThreeMacros();
    c.damage(area);
    std::vector<std::uint16_t> ids;
    for (const MacroRecord& m : DecodeMacroArea(area, texts)) ids.push_back(m.id);
    EXPECT_EQ(ids, c.ids) << c.what;
  }
}

// A keyboard's area may hold codes no action of ours makes (a G key): they read as no key, so
// that what is sent back is what was read.
TEST(MacroArea, ACodeNoActionCarriesReadsAsNoKey) {
  const test::FakeTexts texts;
  Bytes area = EncodeMacroArea(std::vector{Macro(u"", {{10, 0x01E, 0}, {10, 0x01E, 1}})}, false);
  area[22 + 1] = (area[22 + 1] & 0x8F) | (bank_entry::kGKey << 4);  // first action: G3
  area[24] = bank_entry::kGKeyMark;
  area[25] = 3;
  const std::vector<MacroRecord> read = DecodeMacroArea(area, texts);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].actions, (std::vector<MacroAction>{{10, 0, 0}, {10, 0x01E, 1}}));
  EXPECT_EQ(DecodeMacroArea(EncodeMacroArea(read, false), texts)[0].actions, read[0].actions);
}

TEST(MacroArea, AtMostAHundredMacrosAreRead) {
  const test::FakeTexts texts;
  const std::vector<MacroRecord> macros(101, Macro(u"m", {}));
  EXPECT_EQ(DecodeMacroArea(EncodeMacroArea(macros, true), texts).size(), kMaxMacros);
}

}  // namespace
}  // namespace talon
