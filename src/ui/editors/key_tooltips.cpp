#include "ui/editors/key_tooltips.h"

#include <QString>

#include "model/key_bank.h"
#include "model/utf16.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

constexpr qsizetype kMaxTooltipChars = 259;

std::string MacroName(std::span<const MacroRecord> macros, std::uint16_t id) {
  for (const MacroRecord& macro : macros) {
    if (macro.id == id) return Utf16ToUtf8(macro.name);
  }
  return {};
}

void Show(CPngButton& button, bool assigned, const std::string& text) {
  button.SetOtherState(assigned);
  button.SetTooltip(QString::fromStdString(text).left(kMaxTooltipChars));
}

}  // namespace

std::string KeyTooltipText(const std::string& key_name, const KeyRecord& record,
                           std::span<const MacroRecord> macros, const TextLookup& texts) {
  std::string text = key_name;
  if (record.type == AssignmentKind::kDefault) return text;
  text += texts.Text("KEY_PROMPT_SET");
  const auto low = static_cast<std::uint16_t>(record.value & 0xFFFF);
  switch (record.type) {
    case AssignmentKind::kKey:
      text += texts.Text("KEY_PROMPT_SINGLE") + KeyName(low, texts) + ")";
      break;
    case AssignmentKind::kMacro:
      text += texts.Text("KEY_PROMPT_MACRO") + MacroName(macros, low) + ")";
      break;
    case AssignmentKind::kMedia:
      text += texts.Text("KEY_PROMPT_MEDIA");
      if (record.value < kMediaCount) text += KeyName(MediaList()[record.value].key, texts);
      text += ")";
      break;
    case AssignmentKind::kFunction:
      text += texts.Text("KEY_PROMPT_FUNCTION");
      if (record.value < kFunctionCount) {
        text += texts.Text("FUNC_KEY_DESC" + std::to_string(record.value + 1));
      }
      text += ")";
      break;
    default:  // disabled, launch, stop macro, text: the "set" text says it all
      break;
  }
  return text;
}

void SetKeyTooltip(CPngButton& button, KeyId key, const KeyRecord& record,
                   std::span<const MacroRecord> macros, const TextLookup& texts) {
  Show(button, record.type != AssignmentKind::kDefault,
       KeyTooltipText(KeyName(key, texts), record, macros, texts));
}

void SetGTooltip(CPngButton& button, unsigned n, const KeyRecord& record,
                 std::span<const MacroRecord> macros, const TextLookup& texts) {
  Show(button, record.type != AssignmentKind::kDefault,
       KeyTooltipText("G" + std::to_string(n), record, macros, texts));
}

}  // namespace talon
