// talon7x-ctl show FILE [--json]: a profile file in plain words, every key that is not left at
// its default assignment, profile by profile, then every macro with its actions.
#include <filesystem>
#include <memory>

#include "cli/assignment_text.h"
#include "cli/cli_arguments.h"
#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "cli/profile_tools.h"
#include "model/profile_file.h"

namespace talon::cli {

int RunShow(std::span<const std::string> args) {
  const auto parsed = ParseArguments(args, option::kJson);
  if (!parsed || parsed->positional.size() != 1) return kExitUsage;
  const std::filesystem::path path = parsed->positional[0];
  const EnglishTexts texts(SkinPathsFromEnvironment());
  if (const int checked = CheckFileForTool(path, texts); checked != kExitOk) return checked;

  const auto store = std::make_unique<ProfileStore>();
  if (ReadProfileFile(*store, path) != kProfileUsable) {
    StderrPort(texts).ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
    return kExitBadFile;
  }
  const auto held = store->Lock();
  const auto keys = ReassignedKeys(*held, 0, kProfileCount, true, texts);
  if (parsed->json) {
    QJsonArray macros;
    for (const MacroRecord& macro : held->macros) macros.append(MacroJson(macro, texts, true));
    PrintJson({{"keys", ReassignedKeysJson(keys, *held)}, {"macros", macros}});
    return kExitOk;
  }
  PrintReassignedKeys(keys);
  PrintMacros(held->macros, texts);
  return kExitOk;
}

}  // namespace talon::cli
