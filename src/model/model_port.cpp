#include "model/model_port.h"

#include "platform/text_format.h"

namespace talon {

std::string MessageText(const MessageRequest& request, const TextLookup& texts) {
  const std::string format = texts.Text(request.text_key);
  if (request.arguments.empty()) return format;
  if (const auto* number = std::get_if<std::int64_t>(&request.arguments.front())) {
    return FormatWithInt(format, *number);
  }
  return FormatWithString(format, std::get<std::string>(request.arguments.front()));
}

}  // namespace talon
