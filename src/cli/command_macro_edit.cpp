// talon7x-ctl macro add NAME FILE|-, macro replace ID|NAME FILE|-, macro delete ID|NAME
// [--force]: the macro list edited as the macro page edits it, committed under the same rules
// and sent through the configurator's Apply.
#include <cstdio>
#include <iostream>
#include <iterator>

#include "cli/action_arguments.h"
#include "cli/assignment_text.h"
#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/keyboard_session.h"
#include "cli/macro_text.h"
#include "model/macro_list.h"
#include "model/utf16.h"
#include "platform/file_io.h"

namespace talon::cli {

namespace {

constexpr std::size_t kMaxMacroTextBytes = 1u << 20;

// The macro text of FILE, or of standard input for "-"; refused with the reason on stderr.
std::optional<MacroText> ReadMacroText(const std::string& source) {
  const bool from_input = source == "-";
  const std::string where = from_input ? "standard input" : source;
  std::string text;
  if (from_input) {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else if (ReadWholeFile(source, text, kMaxMacroTextBytes) != ReadFileResult::kRead) {
    PrintError("cannot read " + where);
    return std::nullopt;
  }
  if (text.size() > kMaxMacroTextBytes) {
    PrintError(where + " is longer than any macro");
    return std::nullopt;
  }
  ParsedMacroText parsed = ParseMacroText(text);
  if (!parsed.macro) PrintError(where + ", " + parsed.error);
  return parsed.macro;
}

// A new macro's name: one that `macro:NAME` can find again.
bool AcceptableName(const std::string& name, std::span<const MacroRecord> macros) {
  std::string why;
  if (name.empty()) {
    why = "a macro needs a name";
  } else if (Utf8ToUtf16(name).size() > kMaxMacroNameLength) {
    why = "a macro name can be at most " + std::to_string(kMaxMacroNameLength) + " characters";
  } else if (name.find_first_not_of("0123456789") == std::string::npos) {
    why = "a name of digits only would read as a macro id";
  } else {
    for (const MacroRecord& macro : macros) {
      const std::string taken = Utf16ToUtf8(macro.name);
      if (AsciiLower(taken) == AsciiLower(name)) {
        why = "there is a macro named \"" + taken + "\" already";
      }
    }
  }
  if (!why.empty()) PrintError(why);
  return why.empty();
}

// Opens the keyboard with its macros and finds ID|NAME among them.
int OpenAt(KeyboardSession& session, const std::string& id_or_name, std::size_t& at) {
  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const auto found = FindMacro(session.store().Lock()->macros, id_or_name);
  if (!found) return kExitUsage;
  at = *found;
  return kExitOk;
}

}  // namespace

int RunMacroAdd(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, 0);
  if (!parsed || parsed->positional.size() != 2) return kExitUsage;
  const std::string& name = parsed->positional[0];
  if (!AcceptableName(name, {})) return kExitUsage;
  const auto text = ReadMacroText(parsed->positional[1]);
  if (!text) return kExitBadFile;

  KeyboardSession session;
  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const auto held = session.store().Lock();
  std::vector<MacroRecord> macros = held->macros;
  if (!AcceptableName(name, macros)) return kExitUsage;
  const auto at = CreateMacro(macros, Utf8ToUtf16(name), session.port());
  if (!at) return kExitRefused;  // the list is full, and the port said so
  macros[*at].repeat_count = text->repeat;
  macros[*at].actions = text->actions;
  CommitMacroList(session.store(), std::move(macros), session.port());
  return session.Apply(false);
}

int RunMacroReplace(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, 0);
  if (!parsed || parsed->positional.size() != 2) return kExitUsage;
  const auto text = ReadMacroText(parsed->positional[1]);
  if (!text) return kExitBadFile;

  KeyboardSession session;
  std::size_t at = 0;
  if (const int opened = OpenAt(session, parsed->positional[0], at); opened != kExitOk) {
    return opened;
  }
  const auto held = session.store().Lock();
  std::vector<MacroRecord> macros = held->macros;
  macros[at].repeat_count = text->repeat;
  macros[at].actions = text->actions;
  CommitMacroList(session.store(), std::move(macros), session.port());
  return session.Apply(false);
}

int RunMacroDelete(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kForce);
  if (!parsed || parsed->positional.size() != 1) return kExitUsage;
  KeyboardSession session;
  std::size_t at = 0;
  if (const int opened = OpenAt(session, parsed->positional[0], at); opened != kExitOk) {
    return opened;
  }
  const auto held = session.store().Lock();
  std::vector<MacroRecord> macros = held->macros;
  const MacroRecord& doomed = macros[at];
  std::string users;
  for (const auto& key : ReassignedKeys(*held, 0, kProfileCount, true, session.texts())) {
    const KeyRecord& record = held->key_block.record(key.profile, key.slot);
    if (record.type != AssignmentKind::kMacro || (record.value & 0xFFFF) != doomed.id) continue;
    users +=
        (users.empty() ? "" : ", ") + ("profile " + std::to_string(key.profile) + " " + key.key);
  }
  if (!users.empty() && !parsed->force) {
    PrintError("macro \"" + Utf16ToUtf8(doomed.name) + "\" is assigned to " + users +
               "; --force deletes it and returns those keys to their default");
    return kExitRefused;
  }
  macros.erase(macros.begin() + static_cast<std::ptrdiff_t>(at));
  CommitMacroList(session.store(), std::move(macros), session.port());
  // The macros after it move up a place, so every profile's key map is sent again.
  return session.Apply(true);
}

}  // namespace talon::cli
