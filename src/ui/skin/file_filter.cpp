#include "ui/skin/file_filter.h"

namespace talon {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter) {
  if (const std::size_t end = filter.find("||"); end != std::string_view::npos) {
    filter = filter.substr(0, end);
  }
  const std::vector<std::string_view> fields = Split(filter, '|');
  std::vector<FileFilterEntry> entries;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileFilterEntry entry{std::string(Trim(fields[i])), {}};
    for (std::string_view pattern : Split(fields[i + 1], ';')) {
      pattern = Trim(pattern);
      if (!pattern.empty()) entry.patterns.emplace_back(pattern);
    }
    if (!entry.patterns.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::string QtFilterOf(const FileFilterEntry& entry) {
  std::string original;
  std::string patterns;
  for (const std::string& p : entry.patterns) {
    if (!original.empty()) original += ';';
    original += p;
    if (!patterns.empty()) patterns += ' ';
    patterns += p == "*.*" ? "*" : p;
  }
  std::string description = entry.description;
  const std::string suffix = "(" + original + ")";
  if (description.size() >= suffix.size() &&
      description.compare(description.size() - suffix.size(), suffix.size(), suffix) == 0) {
    description.erase(description.size() - suffix.size());
  }
  while (!description.empty() && description.back() == ' ') description.pop_back();
  if (description.empty()) return "(" + patterns + ")";
  return description + " (" + patterns + ")";
}

std::filesystem::path AddDefaultExtension(const std::filesystem::path& path,
                                          std::string_view extension) {
  if (extension.empty() || path.filename().empty() || path.has_extension()) return path;
  std::filesystem::path result = path;
  result += ".";
  result += extension;
  return result;
}

}  // namespace talon
