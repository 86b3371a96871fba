// --json: every command that prints gives one JSON document, and it carries the values the
// plain output prints.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

#include "ctl_fixture.h"

namespace talon {
namespace {

std::string S(const QJsonValue& value) {
  return value.toString().toStdString();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class JsonTest : public test::CtlFixture {
 protected:
  // The plain output and the document of the same command.
  std::pair<std::string, QJsonObject> Both(std::vector<std::string> args) {
    const auto plain = Ctl(args);
    EXPECT_EQ(plain.exit_code, 0) << plain.err;
    args.push_back("--json");
    const auto json = Ctl(args);
    EXPECT_EQ(json.exit_code, 0) << json.err;
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json.out;
    EXPECT_TRUE(document.isObject()) << json.out;
    return {plain.out, document.object()};
  }
};

TEST_F(JsonTest, InfoProfileAndLighting) {
  const auto [info, info_json] = Both({"info"});
  char firmware[16];
  std::snprintf(firmware, sizeof firmware, "0x%04X", info_json["firmware"].toInt());
  std::string effects;
  for (const QJsonValue& effect : info_json["effects"].toArray()) {
    effects += " " + std::to_string(effect.toInt());
  }
  EXPECT_EQ(info, "firmware: " + std::string(firmware) +
                      "\nactive profile: " + std::to_string(info_json["active_profile"].toInt()) +
                      "\nmacro capacity: " + std::to_string(info_json["macro_capacity"].toInt()) +
                      " bytes\neffects:" + effects + "\n");

  ASSERT_EQ(Ctl({"profile", "1"}).exit_code, 0);
  const auto [profile, profile_json] = Both({"profile"});
  EXPECT_EQ(profile, std::to_string(profile_json["active_profile"].toInt()) + "\n");
  EXPECT_EQ(profile, "1\n");

  ASSERT_EQ(Ctl({"lighting", "effect=5", "colour=#00ff80", "rate=2"}).exit_code, 0);
  const auto [lighting, l] = Both({"lighting"});
  EXPECT_EQ(l["profile"].toInt(), 1);
  const auto on_off = [](const QJsonValue& v) { return std::string(v.toBool() ? "on" : "off"); };
  EXPECT_EQ(lighting, "effect: " + std::to_string(l["effect"].toInt()) + " " + S(l["effect_name"]) +
                          "\nbrightness: " + std::to_string(l["brightness"].toInt()) + "\nspeed: " +
                          std::to_string(l["speed"].toInt()) + "\ndirection: " + S(l["direction"]) +
                          "\ncolourful: " + on_off(l["colourful"]) + "\ncolour: " + S(l["colour"]) +
                          "\nreport rate: " + std::to_string(l["report_rate"].toInt()) +
                          "\nuser mode: " + std::to_string(l["user_mode"].toInt()) + "\n");
  EXPECT_EQ(S(l["colour"]), "#00ff80");
}

TEST_F(JsonTest, KeysMacrosAndProfileFiles) {
  const std::string text = WriteText("m.txt", "repeat 2\npress Shift 10\nrelease Shift 0\n");
  ASSERT_EQ(Ctl({"macro", "add", "Build \"quoted\" ✓", text}).exit_code, 0);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"key", "F5", "media:Mute"},
                                               {"key", "G2", "macro:1"},
                                               {"key", "A", "mouse:left"},
                                               {"key", "Esc", "disabled"}}) {
    ASSERT_EQ(Ctl(args).exit_code, 0);
  }

  const auto [keys, keys_json] = Both({"keys"});
  EXPECT_EQ(keys_json["profile"].toInt(), 0);
  std::vector<std::string> from_json;
  for (const QJsonValue& key : keys_json["keys"].toArray()) {
    from_json.push_back("profile " + std::to_string(key["profile"].toInt()) + ": " + S(key["key"]) +
                        " -> " + S(key["text"]));
  }
  EXPECT_EQ(from_json, Lines(keys));
  ASSERT_EQ(from_json.size(), 4u);
  const QJsonObject f5 = keys_json["keys"].toArray()[2].toObject();  // Esc, A, F5, G2
  EXPECT_EQ(S(f5["key"]), "F5");
  EXPECT_EQ(f5["type"].toInt(), 7);
  EXPECT_EQ(f5["value"].toInt(), 7);
  EXPECT_EQ(f5["slot"].toInt(), 0x3F);

  const auto [list, list_json] = Both({"macro", "list"});
  const QJsonObject macro = list_json["macros"].toArray()[0].toObject();
  EXPECT_EQ(S(macro["name"]), "Build \"quoted\" ✓");
  EXPECT_EQ(list, "macro \"" + S(macro["name"]) + "\" (id " + std::to_string(macro["id"].toInt()) +
                      ") x" + std::to_string(macro["repeat"].toInt()) + ", " +
                      std::to_string(macro["action_count"].toInt()) + " actions\n");

  const auto [shown, shown_json] = Both({"macro", "show", "1"});
  std::string text_form = "repeat " + std::to_string(shown_json["repeat"].toInt()) + "\n";
  for (const QJsonValue& action : shown_json["actions"].toArray()) {
    text_form += S(action["state"]) + " " + S(action["key"]) + " " +
                 std::to_string(action["pause"].toInt()) + "\n";
  }
  EXPECT_EQ(shown, text_form);

  const std::string file = (folder / "all.vxp").string();
  ASSERT_EQ(Ctl({"export", file}).exit_code, 0);
  const auto [show, show_json] = Both({"show", file});
  std::vector<std::string> show_lines;
  for (const QJsonValue& key : show_json["keys"].toArray()) {
    show_lines.push_back("profile " + std::to_string(key["profile"].toInt()) + ": " +
                         S(key["key"]) + " -> " + S(key["text"]));
  }
  for (const QJsonValue& m : show_json["macros"].toArray()) {
    show_lines.push_back("macro \"" + S(m["name"]) + "\" (id " + std::to_string(m["id"].toInt()) +
                         ") x" + std::to_string(m["repeat"].toInt()) + ", " +
                         std::to_string(m["actions"].toArray().size()) + " actions:");
    for (const QJsonValue& a : m["actions"].toArray()) {
      show_lines.push_back("  " + S(a["state"]) + " " + S(a["key"]) + ", pause " +
                           std::to_string(a["pause"].toInt()) + " ms");
    }
  }
  EXPECT_EQ(show_lines, Lines(show));
}

TEST_F(JsonTest, ColoursAndEmptyLists) {
  ASSERT_EQ(Ctl({"colours", "0", "1", "A=#ff0000", "B=base"}).exit_code, 0);
  const auto [colours, c] = Both({"colours", "0", "1"});
  std::vector<std::string> from_json{
      "profile: " + std::to_string(c["profile"].toInt()),
      "mode: " + std::to_string(c["mode"].toInt()),
      "name: " + S(c["name"]),
      std::string("selected: ") + (c["selected"].toBool() ? "yes" : "no"),
      "tool: " + S(c["tool"]),
      "base: " + S(c["base"]),
      "paint: " + S(c["paint"])};
  for (const QJsonValue& key : c["keys"].toArray()) {
    from_json.push_back(S(key["key"]) + ": " + S(key["colour"]) +
                        (key["base"].toBool() ? " base" : ""));
  }
  EXPECT_EQ(from_json, Lines(colours));
  EXPECT_NE(colours.find("\nA: #ff0000\n"), std::string::npos);

  const auto [no_keys, no_keys_json] = Both({"keys"});
  EXPECT_EQ(no_keys, "no reassigned keys\n");
  EXPECT_TRUE(no_keys_json["keys"].toArray().isEmpty());
  const auto [no_macros, no_macros_json] = Both({"macro", "list"});
  EXPECT_EQ(no_macros, "no macros\n");
  EXPECT_TRUE(no_macros_json["macros"].toArray().isEmpty());

  // Commands that change something print nothing, so they take no --json.
  EXPECT_EQ(Ctl({"key", "F5", "default", "--json"}).exit_code, 1);
  EXPECT_EQ(Ctl({"colours", "0", "1", "A=#ff0000", "--json"}).exit_code, 1);
}

}  // namespace
}  // namespace talon
