#include "store/IniFile.h"

#include <charconv>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "store/AtomicFile.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr int kMaximized = 2;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The lookup form of a section or key name.
std::string Fold(std::string_view name) { return LowerCase1251(Trim(name)); }

bool IsHeader(std::string_view text, std::string_view& name) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() != '[') return false;
  std::string_view inner = trimmed.substr(1);
  const auto close = inner.find(']');
  if (close != std::string_view::npos) inner = inner.substr(0, close);
  name = Trim(inner);
  return true;
}

// A "Key=Value" line; comments (";") and lines without "=" are not keys.
bool IsKey(std::string_view text, std::string_view& name, std::string_view& value) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return false;
  name = Trim(trimmed.substr(0, equals));
  value = Trim(trimmed.substr(equals + 1));
  return !name.empty();
}

bool ParseInteger(std::string_view text, int& result) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  return error == std::errc() && end == text.data() + text.size();
}

// Refuses, before anything changes, a name that would read back differently
// or would split the file into other lines.
void CheckNames(const std::string& fileName, const std::string& section, const std::string& ident) {
  if (section.find_first_of("]\r\n") != std::string::npos) {
    throw LectoraError(fileName, 0, "invalid section name \"" + section + "\"");
  }
  const std::string_view name = Trim(ident);
  if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos ||
      name.front() == ';' || name.front() == '[') {
    throw LectoraError(fileName, 0,
                       "invalid key name \"" + ident + "\" in section [" + section + "]");
  }
}

}  // namespace

struct TMyIniFile::Impl {
  struct Line {
    std::string Text;    // without its line ending
    std::string Ending;  // "\r\n", "\n", or "" for a last line without one
  };
  // One "[Section]" with the lines up to the next one; the lines before the
  // first header form a nameless section that no lookup reaches.
  struct Section {
    std::string Name;
    bool HasHeader = false;
    std::vector<Line> Lines;  // Lines[0] is the header when HasHeader
    // Folded key name -> index in Lines of its first occurrence.
    std::unordered_map<std::string, std::size_t> Keys;

    void IndexKeys() {
      Keys.clear();
      for (std::size_t i = 0; i < Lines.size(); ++i) IndexLine(i);
    }
    void IndexLine(std::size_t i) {
      std::string_view name, value;
      if (IsKey(Lines[i].Text, name, value)) Keys.try_emplace(LowerCase1251(name), i);
    }
    // Where a new key goes: after the last line that is not blank.
    std::size_t InsertPosition() const {
      std::size_t position = Lines.size();
      while (position > 0 && Trim(Lines[position - 1].Text).empty()) --position;
      return position;
    }
  };

  std::string Mark;  // a UTF-8 byte-order mark the file began with
  std::vector<std::unique_ptr<Section>> Sections;
  // Folded section name -> its first occurrence.
  std::unordered_map<std::string, Section*> Index;
  bool Dirty = false;

  void Parse(std::string_view content) {
    if (content.starts_with(kUtf8Mark)) {
      Mark = kUtf8Mark;
      content.remove_prefix(kUtf8Mark.size());
    }
    Sections.push_back(std::make_unique<Section>());
    while (!content.empty()) {
      Line line;
      const auto newLine = content.find('\n');
      std::string_view text = content.substr(0, newLine);
      if (newLine == std::string_view::npos) {
        content = {};
      } else {
        content.remove_prefix(newLine + 1);
        if (text.ends_with('\r')) {
          text.remove_suffix(1);
          line.Ending = kNewLine;
        } else {
          line.Ending = "\n";
        }
      }
      line.Text = text;
      std::string_view name;
      if (IsHeader(line.Text, name)) {
        auto section = std::make_unique<Section>();
        section->Name = name;
        section->HasHeader = true;
        Sections.push_back(std::move(section));
      }
      Section& current = *Sections.back();
      current.Lines.push_back(std::move(line));
      current.IndexLine(current.Lines.size() - 1);
    }
    IndexSections();
  }

  void IndexSections() {
    Index.clear();
    for (const auto& section : Sections) {
      if (section->HasHeader) Index.try_emplace(LowerCase1251(section->Name), section.get());
    }
  }

  std::string Serialize() const {
    std::string out = Mark;
    bool lastUnended = false;
    for (const auto& section : Sections) {
      for (const Line& line : section->Lines) {
        // Only the file's last line may lack an ending; a line appended
        // after it needs one.
        if (lastUnended) out += kNewLine;
        out += line.Text;
        out += line.Ending;
        lastUnended = line.Ending.empty();
      }
    }
    return out;
  }

  Section* Find(const std::string& section) const {
    const auto found = Index.find(Fold(section));
    return found == Index.end() ? nullptr : found->second;
  }

  const Line* FindKey(const std::string& section, const std::string& ident) const {
    const Section* found = Find(section);
    if (found == nullptr) return nullptr;
    const auto key = found->Keys.find(Fold(ident));
    return key == found->Keys.end() ? nullptr : &found->Lines[key->second];
  }

  bool Value(const std::string& section, const std::string& ident, std::string_view& value) const {
    const Line* line = FindKey(section, ident);
    std::string_view name;
    return line != nullptr && IsKey(line->Text, name, value);
  }

  Section& FindOrAdd(const std::string& section) {
    if (Section* found = Find(section)) return *found;
    auto added = std::make_unique<Section>();
    added->Name = Trim(section);
    added->HasHeader = true;
    added->Lines.push_back({"[" + added->Name + "]", std::string(kNewLine)});
    Section* result = added.get();
    Sections.push_back(std::move(added));
    Index.try_emplace(LowerCase1251(result->Name), result);
    return *result;
  }

  void Write(const std::string& section, const std::string& ident, const std::string& value) {
    Section& target = FindOrAdd(section);
    const std::string_view name = Trim(ident);
    const auto key = target.Keys.find(LowerCase1251(name));
    if (key != target.Keys.end()) {
      Line& line = target.Lines[key->second];
      std::string_view storedName, storedValue;
      IsKey(line.Text, storedName, storedValue);
      if (storedValue == Trim(value)) return;
      line.Text = std::string(storedName) + "=" + value;
    } else {
      // Only blank lines follow the insertion point, so no indexed key moves.
      const std::size_t position = target.InsertPosition();
      target.Lines.insert(target.Lines.begin() + static_cast<std::ptrdiff_t>(position),
                          Line{std::string(name) + "=" + value, std::string(kNewLine)});
      target.Keys.emplace(LowerCase1251(name), position);
    }
    Dirty = true;
  }
};

TMyIniFile::TMyIniFile(std::string fileName, bool readOnly, const std::string& seedFileName)
    : fileName_(std::move(fileName)), readOnly_(readOnly), impl_(std::make_unique<Impl>()) {
  const std::string& source = seedFileName.empty() ? fileName_ : seedFileName;
  std::string content;
  if (!ReadWholeFile(source, content)) {
    // A missing file is an empty one; a file that is there but cannot be
    // read must not be replaced by an empty one later.
    std::error_code ec;
    if (std::filesystem::status(source, ec).type() != std::filesystem::file_type::not_found) {
      throw LectoraError(source, 0, "cannot read the settings file");
    }
  }
  impl_->Parse(content);
}

TMyIniFile::~TMyIniFile() {
  try {
    UpdateFile();
  } catch (...) {
    // The destructor runs at shutdown; a settings file that cannot be
    // written then must not end the program.
  }
}

std::string TMyIniFile::ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) const {
  std::string_view value;
  return impl_->Value(section, ident, value) ? std::string(value) : defaultValue;
}

int TMyIniFile::ReadInteger(const std::string& section, const std::string& ident,
                            int defaultValue) const {
  std::string_view value;
  int result = 0;
  return impl_->Value(section, ident, value) && ParseInteger(value, result) ? result : defaultValue;
}

bool TMyIniFile::ReadBool(const std::string& section, const std::string& ident,
                          bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

double TMyIniFile::ReadFloat(const std::string& section, const std::string& ident,
                             double defaultValue) const {
  std::string_view stored;
  if (!impl_->Value(section, ident, stored)) return defaultValue;
  std::string text(stored);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double result = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return defaultValue;
  }
  return result;
}

void TMyIniFile::WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) {
  if (readOnly_) return;
  CheckNames(fileName_, section, ident);
  if (value.find_first_of("\r\n") != std::string::npos) {
    throw LectoraError(fileName_, 0,
                       "line break in the value of " + ident + " in section [" + section + "]");
  }
  impl_->Write(section, ident, value);
}

void TMyIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, std::to_string(value));
}

void TMyIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TMyIniFile::WriteFloat(const std::string& section, const std::string& ident, double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  WriteString(section, ident, std::string(buffer, result.ptr));
}

bool TMyIniFile::SectionExists(const std::string& section) const {
  return impl_->Find(section) != nullptr;
}

bool TMyIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return impl_->FindKey(section, ident) != nullptr;
}

std::vector<std::string> TMyIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> names;
  const Impl::Section* found = impl_->Find(section);
  if (found == nullptr) return names;
  for (std::size_t i = 0; i < found->Lines.size(); ++i) {
    std::string_view name, value;
    if (!IsKey(found->Lines[i].Text, name, value)) continue;
    // A repeated key is listed once, like the lookups see it.
    const auto first = found->Keys.find(LowerCase1251(name));
    if (first != found->Keys.end() && first->second == i) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> TMyIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& section : impl_->Sections) {
    if (section->HasHeader && impl_->Find(section->Name) == section.get()) {
      names.push_back(section->Name);
    }
  }
  return names;
}

void TMyIniFile::EraseSection(const std::string& section) {
  if (readOnly_) return;
  const std::string folded = Fold(section);
  auto& sections = impl_->Sections;
  const auto before = sections.size();
  // Every copy goes, so that the section is really absent afterwards.
  std::erase_if(sections, [&](const std::unique_ptr<Impl::Section>& s) {
    return s->HasHeader && LowerCase1251(s->Name) == folded;
  });
  if (sections.size() == before) return;
  impl_->IndexSections();
  impl_->Dirty = true;
}

void TMyIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (readOnly_) return;
  Impl::Section* found = impl_->Find(section);
  if (found == nullptr) return;
  const std::string folded = Fold(ident);
  if (!found->Keys.contains(folded)) return;
  std::erase_if(found->Lines, [&](const Impl::Line& line) {
    std::string_view name, value;
    return IsKey(line.Text, name, value) && LowerCase1251(name) == folded;
  });
  found->IndexKeys();
  impl_->Dirty = true;
}

void TMyIniFile::UpdateFile() {
  if (readOnly_ || !impl_->Dirty) return;
  WriteFileAtomically(fileName_, impl_->Serialize());
  impl_->Dirty = false;
}

void TMyIniFile::ReadWindow(const std::string& section, TWindowPlacement& form) const {
  form.WindowState = ReadInteger(section, "WindowState", form.WindowState);
  // A damaged value must not reach the toolkit as an unknown state.
  if (form.WindowState < 0 || form.WindowState > kMaximized) form.WindowState = 0;
  if (form.WindowState == kMaximized || !ValueExists(section, "Top")) return;
  form.PositionStored = true;
  form.Top = ReadInteger(section, "Top", form.Top);
  form.Left = ReadInteger(section, "Left", form.Left);
  form.Width = ReadInteger(section, "Width", form.Width);
  form.Height = ReadInteger(section, "Height", form.Height);
}

void TMyIniFile::WriteWindow(const std::string& section, const TWindowPlacement& form) {
  if (readOnly_) return;
  WriteInteger(section, "WindowState", form.WindowState);
  if (form.WindowState == kMaximized) return;
  WriteInteger(section, "Top", form.Top);
  WriteInteger(section, "Left", form.Left);
  WriteInteger(section, "Width", form.Width);
  WriteInteger(section, "Height", form.Height);
}

void TMyIniFile::ReadFont(const std::string& section, TFontInfo& font) const {
  font.Name = ReadString(section, "FontName", font.Name);
  font.Size = ReadInteger(section, "FontSize", font.Size);
  // Only the four known style bits are kept.
  font.Style = ReadInteger(section, "FontStyle", 0) & 15;
  font.CharSet = ReadInteger(section, "CharSet", font.CharSet);
  // Stored as a signed integer, as the 0x00BBGGRR value always was.
  font.Color =
      static_cast<std::uint32_t>(ReadInteger(section, "FontColor", static_cast<int>(font.Color)));
}

void TMyIniFile::WriteFont(const std::string& section, const TFontInfo& font) {
  if (readOnly_) return;
  WriteString(section, "FontName", font.Name);
  WriteInteger(section, "FontSize", font.Size);
  WriteInteger(section, "FontStyle", font.Style);
  WriteInteger(section, "CharSet", font.CharSet);
  WriteInteger(section, "FontColor", static_cast<int>(font.Color));
}

void TMyIniFile::WriteSection(const std::string& section, const std::vector<std::string>& keys) {
  if (readOnly_) return;
  // Checked first, so that a bad key cannot leave the section erased.
  for (const std::string& key : keys) CheckNames(fileName_, section, key);
  EraseSection(section);
  for (const std::string& key : keys) WriteString(section, key, "");
}

}  // namespace lectora
