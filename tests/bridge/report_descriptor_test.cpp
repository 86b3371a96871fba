// Reading report descriptors, and what they make each stream take from a shared hidraw node:
// the filter by report id and the consumer code's place in the report.
#include <gtest/gtest.h>

#include <vector>

#include "consumer_report.h"
#include "fake_keyboard_layout.h"
#include "input_filter.h"
#include "kb_bridge_abi.h"
#include "report_descriptor.h"

namespace talon::bridge {
namespace {

using Bytes = std::vector<std::uint8_t>;

MatchRecord RecordOf(std::uint16_t usage_page, std::uint16_t usage) {
  return {KB_MATCH_ALL_FIELDS, KB_VENDOR_ID, KB_PRODUCT_ID, usage_page, usage};
}

std::optional<ReportDescriptor> Parse(const Bytes& bytes) {
  return ReportDescriptor::Parse(bytes);
}

TEST(ReportDescriptor, FindsTheTopLevelCollectionsAndTheirInputReports) {
  const auto shared = ReportDescriptor::Parse(test::NodeDescriptor(1));
  ASSERT_TRUE(shared);
  EXPECT_TRUE(shared->numbered);
  ASSERT_EQ(shared->collections.size(), 4u);
  const struct {
    std::uint16_t page, usage;
    Bytes ids;
  } expected[] = {{0x0001, 0x0006, {1}},
                  {KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE, {3}},
                  {KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE, {4}},
                  {KB_INDICATOR_USAGE_PAGE, KB_INDICATOR_USAGE, {}}};  // output only
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(shared->collections[i].usage_page, expected[i].page) << i;
    EXPECT_EQ(shared->collections[i].usage, expected[i].usage) << i;
    EXPECT_EQ(shared->collections[i].input_report_ids, expected[i].ids) << i;
  }

  const auto boot = ReportDescriptor::Parse(test::NodeDescriptor(0));
  ASSERT_TRUE(boot);
  EXPECT_FALSE(boot->numbered);
  ASSERT_EQ(boot->collections.size(), 1u);
  EXPECT_EQ(boot->collections[0].input_report_ids, Bytes{0});
}

TEST(ReportDescriptor, ItemFormsThatChangeTheAnswer) {
  // A 4-byte usage carries its page; Push/Pop restore page and report id; nested collections
  // belong to the top-level one; a long item is skipped whole.
  const Bytes extended = {0x0B, 0x92, 0x00, 0x1C, 0xFF, 0xA1, 0x01, 0x85, 0x07, 0x81, 0x02, 0xC0};
  const Bytes push_pop = {0x05, 0x0C, 0x85, 0x02, 0xA4, 0x05, 0x01, 0x85, 0x09,
                          0xB4, 0x09, 0x01, 0xA1, 0x01, 0x81, 0x00, 0xC0};
  const Bytes nested = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x81,
                        0x00, 0xA1, 0x02, 0x85, 0x06, 0x81, 0x00, 0xC0, 0xC0};
  const Bytes long_item = {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x05, 0x0C,
                           0x09, 0x01, 0xA1, 0x01, 0x81, 0x00, 0xC0};
  const struct {
    const char* what;
    Bytes bytes;
    std::uint16_t page, usage;
    Bytes ids;
  } cases[] = {{"extended usage", extended, 0xFF1C, 0x0092, {7}},
               {"push and pop", push_pop, 0x000C, 0x0001, {2}},
               {"nested collection", nested, 0x000C, 0x0001, {2, 6}},
               {"long item", long_item, 0x000C, 0x0001, {0}}};
  for (const auto& c : cases) {
    const auto d = Parse(c.bytes);
    ASSERT_TRUE(d) << c.what;
    ASSERT_EQ(d->collections.size(), 1u) << c.what;
    EXPECT_EQ(d->collections[0].usage_page, c.page) << c.what;
    EXPECT_EQ(d->collections[0].usage, c.usage) << c.what;
    EXPECT_EQ(d->collections[0].input_report_ids, c.ids) << c.what;
  }
}

TEST(ReportDescriptor, RefusesWhatIsCutShortOrNestedTooDeep) {
  EXPECT_FALSE(Parse({0x05, 0x0C, 0x09}));                 // an item's data is missing
  EXPECT_FALSE(Parse({0x05, 0x0C, 0xFE, 0x05, 0x10, 1}));  // a long item runs past the end
  Bytes deep;  // collections nested deeper than any device goes
  for (int i = 0; i < 40; ++i) deep.insert(deep.end(), {0xA1, 0x01});
  EXPECT_FALSE(Parse(deep));
  const auto empty = Parse({});
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->collections.empty());
}

TEST(InputFilter, TakesTheReportsOfTheRecordsCollections) {
  const auto shared = ReportDescriptor::Parse(test::NodeDescriptor(1));
  const auto boot = ReportDescriptor::Parse(test::NodeDescriptor(0));
  ASSERT_TRUE(shared && boot);
  const InputFilter config(*shared, RecordOf(KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE), KB_VENDOR_ID,
                           KB_PRODUCT_ID);
  const InputFilter consumer(*shared, RecordOf(KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE),
                             KB_VENDOR_ID, KB_PRODUCT_ID);
  const InputFilter other_product(*shared, RecordOf(KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE),
                                  KB_VENDOR_ID, 0x5D28);
  const InputFilter unnumbered(*boot, RecordOf(0x0001, 0x0006), KB_VENDOR_ID, KB_PRODUCT_ID);
  const InputFilter unknown;
  const struct {
    const char* what;
    const InputFilter& filter;
    Bytes report;
    bool taken;
  } cases[] = {
      {"answer on the channel", config, {4, 0, 0, 3}, true},
      {"key press on the channel", config, {1, 0, 0, 0x10}, false},
      {"consumer report on the channel", config, {3, 0xFF, 2}, false},
      {"consumer report", consumer, {3, 0xFF, 2}, true},
      {"answer on the consumer stream", consumer, {4, 0, 0, 3}, false},
      {"empty report", consumer, {}, false},
      {"record of another product", other_product, {4, 0, 0, 3}, false},
      {"unnumbered node", unnumbered, {0, 0, 4, 0, 0, 0, 0, 0}, true},
      {"no descriptor", unknown, {1, 0, 0, 0x10}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.filter.Accepts(c.report), c.taken) << c.what;
  EXPECT_EQ(config.numbered(), std::optional<bool>(true));
  EXPECT_EQ(unnumbered.numbered(), std::optional<bool>(false));
  EXPECT_EQ(unknown.numbered(), std::nullopt);
}

TEST(ConsumerReport, TheCodeFollowsTheReportIdWhenThereIsOne) {
  const struct {
    Bytes report;
    std::optional<bool> numbered;
    std::uint16_t code;
  } cases[] = {
      {{3, 0xFF, 0x02}, true, 0x02FF},
      {{0xFF, 0x02}, false, 0x02FF},
      {{3, 0x11, 0x18, 0}, true, 0x1811},  // a longer report: the first usage
      {{0x11, 0x18, 0x00}, false, 0x1811},
      {{3, 0xFF, 0x02}, std::nullopt, 0x02FF},  // odd length: an id is guessed
      {{0xFF, 0x02}, std::nullopt, 0x02FF},
      {{3}, true, 0},
      {{}, false, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseConsumerCode(c.report, c.numbered), c.code);
}

}  // namespace
}  // namespace talon::bridge
