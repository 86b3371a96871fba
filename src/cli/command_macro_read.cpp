// talon7x-ctl macro list [--json]: the keyboard's macros, one line each.
// talon7x-ctl macro show ID|NAME [--json]: one macro in its text form (see macro_text.h).
#include <cstdio>

#include "cli/action_arguments.h"
#include "cli/assignment_text.h"
#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/keyboard_session.h"
#include "cli/macro_text.h"

namespace talon::cli {

int RunMacroList(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || !parsed->positional.empty()) return kExitUsage;
  KeyboardSession session;
  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const auto held = session.store().Lock();
  if (parsed->json) {
    QJsonArray macros;
    for (const MacroRecord& m : held->macros) macros.append(MacroJson(m, session.texts(), false));
    PrintJson({{"macros", macros}});
    return kExitOk;
  }
  if (held->macros.empty()) std::printf("no macros\n");
  for (const MacroRecord& macro : held->macros) std::printf("%s\n", MacroHead(macro).c_str());
  return kExitOk;
}

int RunMacroShow(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || parsed->positional.size() != 1) return kExitUsage;
  KeyboardSession session;
  if (const int opened = session.OpenWithContents(); opened != kExitOk) return opened;
  const auto held = session.store().Lock();
  const auto at = FindMacro(held->macros, parsed->positional[0]);
  if (!at) return kExitUsage;
  const MacroRecord& macro = held->macros[*at];
  if (parsed->json) {
    PrintJson(MacroJson(macro, session.texts(), true));
  } else {
    std::fputs(FormatMacroText(macro).c_str(), stdout);
  }
  return kExitOk;
}

}  // namespace talon::cli
