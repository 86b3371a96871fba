#include "ui/skin/message_map.h"

namespace talon {

const MessageEntry* FindMessageEntry(const MessageMap& map, MessageId message) {
  for (const MessageMap* m = &map; m != nullptr; m = m->base) {
    for (const MessageEntry& entry : m->messages) {
      if (entry.message == message) return &entry;
    }
  }
  return nullptr;
}

bool AcceptsMessage(const MessageEntry& entry, WParam w) {
  return !entry.tagged || w == entry.tag;
}

const CommandEntry* FindCommandEntry(const MessageMap& map, int control_id, Notification code) {
  for (const MessageMap* m = &map; m != nullptr; m = m->base) {
    for (const CommandEntry& entry : m->commands) {
      if (entry.code == code && control_id >= entry.first_id && control_id <= entry.last_id) {
        return &entry;
      }
    }
  }
  return nullptr;
}

}  // namespace talon
