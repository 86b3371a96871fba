#include "platform/ini_file.h"

#include <climits>
#include <utility>

#include <sys/stat.h>

#include "platform/file_io.h"

namespace talon {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

bool IsQuoted(std::string_view v) {
  return v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front();
}

std::string_view Unquote(std::string_view v) {
  return IsQuoted(v) ? v.substr(1, v.size() - 2) : v;
}

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendFolded(std::string& out, std::string_view s) {
  for (char c : s) out.push_back(Fold(c));
}

std::string Folded(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  AppendFolded(out, s);
  return out;
}

// Section and key names never hold a line break, so '\n' cannot make two pairs collide.
std::string EntryId(std::string_view section, std::string_view key) {
  std::string id;
  id.reserve(section.size() + key.size() + 1);
  AppendFolded(id, section);
  id.push_back('\n');
  AppendFolded(id, key);
  return id;
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool ValidSectionName(std::string_view s) {
  return !s.empty() && Trim(s) == s && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

bool ValidKeyName(std::string_view s) {
  return !s.empty() && Trim(s) == s && !HasLineBreak(s) && s.find('=') == std::string_view::npos &&
         s.front() != '[' && s.front() != ';' && s.front() != '#';
}

std::string EncodeValue(std::string_view value, bool always_quote) {
  const bool needs_quotes = always_quote || Trim(value) != value || IsQuoted(value);
  if (!needs_quotes) return std::string(value);
  std::string quoted = "\"";
  quoted.append(value);
  quoted.push_back('"');
  return quoted;
}

}  // namespace

IniDocument::Line IniDocument::ClassifyLine(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view all = line.text;
  const std::string_view body = Trim(all);
  if (body.empty() || body.front() == ';' || body.front() == '#') return line;
  const std::size_t body_pos = static_cast<std::size_t>(body.data() - all.data());

  if (body.front() == '[') {
    const std::size_t close = body.find(']');
    if (close == std::string_view::npos) return line;  // broken header: ignored, kept
    const std::string_view name = Trim(body.substr(1, close - 1));
    line.kind = Kind::kSection;
    line.name_pos = static_cast<std::size_t>(name.data() - all.data());
    line.name_len = name.size();
    return line;
  }

  const std::size_t eq = body.find('=');
  if (eq == std::string_view::npos) return line;
  const std::string_view key = Trim(body.substr(0, eq));
  if (key.empty()) return line;
  const std::string_view value = Trim(body.substr(eq + 1));
  line.kind = Kind::kEntry;
  line.name_pos = static_cast<std::size_t>(key.data() - all.data());
  line.name_len = key.size();
  line.value_pos =
      value.empty() ? body_pos + eq + 1 : static_cast<std::size_t>(value.data() - all.data());
  line.value_len = value.size();
  return line;
}

void IniDocument::Parse(std::string_view text) {
  lines_.clear();
  bom_ = text.substr(0, kBom.size()) == kBom;
  if (bom_) text.remove_prefix(kBom.size());
  const std::size_t first_break = text.find('\n');
  crlf_ = first_break != std::string_view::npos && first_break > 0 && text[first_break - 1] == '\r';

  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    // A CR ends the line only in a file whose lines end in CR LF; elsewhere it is its text.
    if (crlf_ && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    lines_.push_back(ClassifyLine(std::string(raw)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  Reindex();
}

void IniDocument::Reindex() {
  entries_.clear();
  sections_.clear();
  std::optional<std::string_view> section;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kSection) {
      section = Name(line);
      sections_.try_emplace(Folded(*section), i);
    } else if (line.kind == Kind::kEntry && section) {
      entries_.try_emplace(EntryId(*section, Name(line)), i);
    }
  }
}

IniDocument::LoadResult IniDocument::Load(const std::filesystem::path& path) {
  std::string text;
  const ReadFileResult result = ReadWholeFile(path, text);
  Parse(result == ReadFileResult::kRead ? std::string_view(text) : std::string_view());
  switch (result) {
    case ReadFileResult::kRead:
      return LoadResult::kLoaded;
    case ReadFileResult::kMissing:
      return LoadResult::kMissing;
    case ReadFileResult::kUnreadable:
      break;
  }
  return LoadResult::kUnreadable;
}

std::string IniDocument::Serialize() const {
  const std::string_view eol = crlf_ ? "\r\n" : "\n";
  std::string out;
  if (bom_) out.append(kBom);
  for (const Line& line : lines_) {
    out.append(line.text);
    out.append(eol);
  }
  return out;
}

bool IniDocument::Save(const std::filesystem::path& path) const {
  return WriteFileAtomically(path, Serialize());
}

std::optional<std::string_view> IniDocument::FindRaw(std::string_view section,
                                                     std::string_view key) const {
  if (HasLineBreak(section) || HasLineBreak(key)) return std::nullopt;
  const auto it = entries_.find(EntryId(section, key));
  if (it == entries_.end()) return std::nullopt;
  const Line& line = lines_[it->second];
  return std::string_view(line.text).substr(line.value_pos, line.value_len);
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  const auto raw = FindRaw(section, key);
  if (!raw) return std::nullopt;
  return Unquote(*raw);
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
  return std::string(Find(section, key).value_or(fallback));
}

int ParseIniInt(std::string_view value, int fallback) {
  std::string_view s = Trim(value);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() < '0' || s.front() > '9') return fallback;
  long long magnitude = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) break;  // clamped below
  }
  const long long signed_value = negative ? -magnitude : magnitude;
  if (signed_value > INT_MAX) return INT_MAX;
  if (signed_value < INT_MIN) return INT_MIN;
  return static_cast<int>(signed_value);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const auto value = Find(section, key);
  return value ? ParseIniInt(*value, fallback) : fallback;
}

bool IniDocument::HasSection(std::string_view section) const {
  return !HasLineBreak(section) && sections_.count(Folded(section)) != 0;
}

bool IniDocument::SetString(std::string_view section, std::string_view key, std::string_view value,
                            Quoting quoting) {
  if (!ValidSectionName(section) || !ValidKeyName(key) || HasLineBreak(value)) return false;
  const std::string encoded = EncodeValue(value, quoting == Quoting::kAlways);

  if (const auto it = entries_.find(EntryId(section, key)); it != entries_.end()) {
    Line& line = lines_[it->second];
    std::string text = line.text.substr(0, line.value_pos) + encoded;
    line = ClassifyLine(std::move(text));
    return true;  // indices of other lines are unchanged
  }

  const std::string entry = std::string(key) + "=" + encoded;
  if (const auto it = sections_.find(Folded(section)); it != sections_.end()) {
    std::size_t insert_at = it->second + 1;
    for (std::size_t i = insert_at; i < lines_.size() && lines_[i].kind != Kind::kSection; ++i) {
      if (lines_[i].kind == Kind::kEntry) insert_at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), ClassifyLine(entry));
  } else {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ClassifyLine(""));
    lines_.push_back(ClassifyLine("[" + std::string(section) + "]"));
    lines_.push_back(ClassifyLine(entry));
  }
  Reindex();
  return true;
}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

IniFile::Stamp IniFile::StampOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return Stamp{true, st.st_dev, st.st_ino, st.st_size,
               static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

IniDocument::LoadResult IniFile::RefreshLocked() const {
  const Stamp now = StampOf(path_);
  if (!loaded_ || !(now == stamp_)) {
    last_load_ = document_.Load(path_);
    stamp_ = now;
    loaded_ = true;
  }
  return last_load_;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const std::lock_guard lock(mutex_);
  RefreshLocked();
  const auto value = document_.Find(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::optional<std::string> IniFile::FindRaw(std::string_view section, std::string_view key) const {
  const std::lock_guard lock(mutex_);
  RefreshLocked();
  const auto value = document_.FindRaw(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  const std::lock_guard lock(mutex_);
  RefreshLocked();
  return document_.GetString(section, key, fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const std::lock_guard lock(mutex_);
  RefreshLocked();
  return document_.GetInt(section, key, fallback);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value,
                          IniDocument::Quoting quoting) {
  const std::lock_guard lock(mutex_);
  // Always start from what is on disk now, so that another writer's keys are kept.
  loaded_ = false;
  if (RefreshLocked() == IniDocument::LoadResult::kUnreadable) return false;
  IniDocument updated = document_;
  if (!updated.SetString(section, key, value, quoting) || !updated.Save(path_)) return false;
  document_ = std::move(updated);
  stamp_ = StampOf(path_);
  return true;
}

std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view fallback) {
  IniDocument document;
  document.Load(path);
  return document.GetString(section, key, fallback);
}

int ReadIniInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
               int fallback) {
  IniDocument document;
  document.Load(path);
  return document.GetInt(section, key, fallback);
}

bool WriteIniString(const std::filesystem::path& path, std::string_view section,
                    std::string_view key, std::string_view value) {
  IniDocument document;
  if (document.Load(path) == IniDocument::LoadResult::kUnreadable) return false;
  return document.SetString(section, key, value) && document.Save(path);
}

}  // namespace talon
