// talon7x-ctl keys [P] [--json]: what the keyboard's key map of profile P does, key by key.
// talon7x-ctl key [P] KEY ACTION [--repeat N] [--bank b]: one key assigned and sent at once,
// through the key assignment dialog's rules and the configurator's Apply.
#include <cstdio>

#include "cli/action_arguments.h"
#include "cli/assignment_text.h"
#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/keyboard_session.h"
#include "model/macro_list.h"

namespace talon::cli {

namespace {

// The profile given first, or the active one (-1 until the keyboard says).
std::optional<int> LeadingProfile(std::vector<std::string>& positional, std::size_t with_profile) {
  if (positional.size() != with_profile) return -1;
  const auto profile = ParseProfileNumber(positional.front());
  if (!profile) {
    PrintError("profile must be 0, 1 or 2");
    return std::nullopt;
  }
  positional.erase(positional.begin());
  return profile;
}

}  // namespace

int RunKeys(std::span<const std::string> args) {
  auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || parsed->positional.size() > 1) return kExitUsage;
  const auto chosen = LeadingProfile(parsed->positional, 1);
  if (!chosen) return kExitUsage;

  KeyboardSession session;
  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const int profile = *chosen >= 0 ? *chosen : session.active_profile();
  const auto held = session.store().Lock();
  const auto p = static_cast<std::size_t>(profile);
  // Bank B G keys never reach the keyboard, so it has none to show.
  const auto keys = ReassignedKeys(*held, p, p + 1, false, session.texts());
  if (parsed->json) {
    PrintJson({{"profile", profile}, {"keys", ReassignedKeysJson(keys, *held)}});
  } else {
    PrintReassignedKeys(keys);
  }
  return kExitOk;
}

int RunKey(std::span<const std::string> args) {
  auto parsed = ParseArguments(args, option::kRepeat | option::kBank);
  if (!parsed || parsed->positional.size() < 2 || parsed->positional.size() > 3) {
    return kExitUsage;
  }
  const auto chosen = LeadingProfile(parsed->positional, 3);
  if (!chosen) return kExitUsage;
  KeyboardSession session;
  const auto slot = ParseKeySlot(parsed->positional[0], parsed->bank_b);
  auto action = ParseAction(parsed->positional[1], session.texts());
  if (!slot || !action) return kExitUsage;
  const AssignmentKind type = action->assignment.type;
  if (IsMacroOnlySlot(*slot) && type != AssignmentKind::kMacro &&
      type != AssignmentKind::kDefault) {
    PrintError("G9 plays macros only: give it macro:ID|NAME or default");
    return kExitUsage;
  }
  if (parsed->repeat && type != AssignmentKind::kMacro) {
    PrintError("--repeat goes with macro:ID|NAME");
    return kExitUsage;
  }
  if (*slot >= kGSlotBankB) {
    PrintError("the keyboard holds the G keys of bank A only; bank B assignments never reach it");
    return kExitRefused;
  }

  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const int profile = *chosen >= 0 ? *chosen : session.active_profile();
  const auto held = session.store().Lock();
  // As the dialog's Apply: the macro list is committed first (its play count edit sets the
  // macro's repeat count), then the key's record is written.
  std::vector<MacroRecord> macros = held->macros;
  if (type == AssignmentKind::kMacro) {
    const auto at = FindMacro(macros, action->macro);
    if (!at) return kExitUsage;
    if (parsed->repeat) macros[*at].repeat_count = static_cast<std::uint8_t>(*parsed->repeat);
    action->assignment.value = macros[*at].id;
    action->assignment.play_count = macros[*at].repeat_count;
  }
  CommitMacroList(session.store(), std::move(macros), session.port());
  AssignKey(*held, static_cast<std::size_t>(profile), *slot, action->assignment);
  // Another profile's key map is only sent along with all four.
  return session.Apply(profile != session.active_profile());
}

}  // namespace talon::cli
