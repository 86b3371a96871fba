#pragma once
// The static routing tables of a dialog class. Each class lists which member handles which
// window message and which control command; a class's table names its base class's table, which
// is searched after it.
//
//   const MessageMap& CVexmoDlg::ClassMessageMap() {
//     static constexpr MessageEntry kMessages[] = {
//         OnTaggedMessage<&CVexmoDlg::OnOpen>(0x5350, MessageTag("OPEN")),
//         OnMessage<&CVexmoDlg::OnTimer>(msg::kTimer)};
//     static constexpr CommandEntry kCommands[] = {OnCommand<&CVexmoDlg::OnApply>(1006)};
//     static const MessageMap kMap{kMessages, kCommands, &CBaseDialog::ClassMessageMap()};
//     return kMap;
//   }
//   const MessageMap& CVexmoDlg::GetMessageMap() const { return ClassMessageMap(); }
#include <span>
#include <type_traits>

#include "ui/skin/window_message.h"

namespace talon {

class MessageDialog;

using MessageHandler = LResult (*)(MessageDialog&, WParam, LParam);
using CommandHandler = void (*)(MessageDialog&, int control_id);

struct MessageEntry {
  MessageId message = 0;
  bool tagged = false;  // when set, wParam must equal `tag` or the message is ignored
  std::uint32_t tag = 0;
  MessageHandler handler = nullptr;
};

struct CommandEntry {
  int first_id = 0;
  int last_id = 0;  // inclusive
  Notification code = Notification::kClicked;
  CommandHandler handler = nullptr;
};

struct MessageMap {
  std::span<const MessageEntry> messages;
  std::span<const CommandEntry> commands;
  const MessageMap* base = nullptr;
};

namespace detail {

template <class M>
struct MemberOf;
template <class C, class F>
struct MemberOf<F C::*> {
  using Class = C;
};

template <auto Method>
LResult CallMessage(MessageDialog& dialog, WParam w, LParam l) {
  using C = typename MemberOf<decltype(Method)>::Class;
  static_assert(std::is_base_of_v<MessageDialog, C>);
  return (static_cast<C&>(dialog).*Method)(w, l);
}

template <auto Method>
void CallCommand(MessageDialog& dialog, int control_id) {
  using C = typename MemberOf<decltype(Method)>::Class;
  static_assert(std::is_base_of_v<MessageDialog, C>);
  if constexpr (std::is_invocable_v<decltype(Method), C&, int>) {
    (static_cast<C&>(dialog).*Method)(control_id);
  } else {
    (static_cast<C&>(dialog).*Method)();
  }
}

}  // namespace detail

// A handler `LResult C::Handler(WParam, LParam)` for a message.
template <auto Method>
constexpr MessageEntry OnMessage(MessageId message) {
  return {message, false, 0, &detail::CallMessage<Method>};
}

// The same for a private message whose wParam must carry `tag`.
template <auto Method>
constexpr MessageEntry OnTaggedMessage(MessageId message, std::uint32_t tag) {
  return {message, true, tag, &detail::CallMessage<Method>};
}

// A handler `void C::Handler()` or `void C::Handler(int control_id)` for a control's command.
template <auto Method>
constexpr CommandEntry OnCommand(int control_id, Notification code = Notification::kClicked) {
  return {control_id, control_id, code, &detail::CallCommand<Method>};
}

template <auto Method>
constexpr CommandEntry OnCommandRange(int first_id, int last_id,
                                      Notification code = Notification::kClicked) {
  return {first_id, last_id, code, &detail::CallCommand<Method>};
}

// The first entry for the message in the map or its bases; null when none. A tagged entry whose
// tag does not match is found but must not be called: see AcceptsMessage.
const MessageEntry* FindMessageEntry(const MessageMap& map, MessageId message);
bool AcceptsMessage(const MessageEntry& entry, WParam w);
const CommandEntry* FindCommandEntry(const MessageMap& map, int control_id, Notification code);

}  // namespace talon
