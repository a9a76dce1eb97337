#include "base/string_list.h"

#include <algorithm>

#include "base/exception.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/text.h"
#include "platform/platform.h"

namespace kit {

TStringList::TStringList(std::initializer_list<std::string> lines) {
  for (const std::string& s : lines) items_.push_back({s, nullptr});
}

void TStringList::Error(const std::string& message) const { throw EListError(message); }

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error(Format("List index out of bounds (%d)", {index}));
}

void TStringList::CheckNotSorted() const {
  if (sorted_) Error("Operation not allowed on sorted string list");
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
  return case_sensitive_ ? CompareStr(a, b) : AnsiCompareText(a, b);
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::Put(int index, const std::string& s) {
  CheckNotSorted();
  CheckIndex(index);
  items_[static_cast<size_t>(index)].text = s;
}

void TStringList::PutObject(int index, void* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].object = object;
}

bool TStringList::Find(const std::string& s, int* index) const {
  // Binary search for the first line not less than s.
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (Compare(items_[static_cast<size_t>(mid)].text, s) < 0) lo = mid + 1;
    else hi = mid;
  }
  *index = lo;
  return lo < Count() && Compare(items_[static_cast<size_t>(lo)].text, s) == 0;
}

int TStringList::DoAdd(const std::string& s, void* object) {
  if (!sorted_) {
    items_.push_back({s, object});
    return Count() - 1;
  }
  int at;
  if (Find(s, &at)) {
    if (duplicates_ == Duplicates::kIgnore) return -1;
    if (duplicates_ == Duplicates::kError) Error("String list does not allow duplicates");
    while (at < Count() && Compare(items_[static_cast<size_t>(at)].text, s) == 0) ++at;
  }
  items_.insert(items_.begin() + at, Item{s, object});
  return at;
}

void TStringList::DoInsert(int index, const std::string& s, void* object) {
  CheckNotSorted();
  if (index < 0 || index > Count()) Error(Format("List index out of bounds (%d)", {index}));
  items_.insert(items_.begin() + index, Item{s, object});
}

int TStringList::Add(const std::string& s) { return DoAdd(s, nullptr); }
int TStringList::AddObject(const std::string& s, void* object) { return DoAdd(s, object); }

void TStringList::AddStrings(const TStringList& other) {
  if (&other == this) {
    TStringList copy(other);
    for (const Item& it : copy.items_) DoAdd(it.text, it.object);
    return;
  }
  // All or nothing: a duplicate error leaves the list as it was.
  std::vector<Item> saved = items_;
  try {
    for (const Item& it : other.items_) DoAdd(it.text, it.object);
  } catch (...) {
    items_ = std::move(saved);
    throw;
  }
}

void TStringList::Assign(const TStringList& other) {
  if (&other == this) return;
  std::vector<Item> saved = std::move(items_);
  items_.clear();
  try {
    if (sorted_) {
      for (const Item& it : other.items_) DoAdd(it.text, it.object);
    } else {
      items_ = other.items_;
    }
  } catch (...) {
    items_ = std::move(saved);
    throw;
  }
}

void TStringList::Insert(int index, const std::string& s) { DoInsert(index, s, nullptr); }
void TStringList::InsertObject(int index, const std::string& s, void* object) {
  DoInsert(index, s, object);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

void TStringList::Move(int from, int to) {
  if (from == to) {
    CheckIndex(from);
    return;
  }
  CheckNotSorted();
  CheckIndex(from);
  CheckIndex(to);
  Item it = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(it));
}

void TStringList::Exchange(int a, int b) {
  CheckNotSorted();
  CheckIndex(a);
  CheckIndex(b);
  std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

void TStringList::Clear() { items_.clear(); }

int TStringList::IndexOf(const std::string& s) const {
  if (sorted_) {
    int at;
    return Find(s, &at) ? at : -1;
  }
  for (int i = 0; i < Count(); ++i) {
    if (Compare(items_[static_cast<size_t>(i)].text, s) == 0) return i;
  }
  return -1;
}

int TStringList::IndexOfObject(const void* object) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)].object == object) return i;
  }
  return -1;
}

std::string TStringList::Join(const std::string& separator) const {
  size_t total = 0;
  for (const Item& it : items_) total += it.text.size() + separator.size();
  std::string out;
  out.reserve(total);
  for (const Item& it : items_) {
    out += it.text;
    out += separator;
  }
  return out;
}

std::string TStringList::Text() const { return Join("\r\n"); }

void TStringList::DoSetText(const std::string& text) {
  std::vector<Item> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back({text.substr(start, i - start), nullptr});
      if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.push_back({text.substr(start), nullptr});
  if (!sorted_) {
    items_ = std::move(lines);
    return;
  }
  std::vector<Item> saved = std::move(items_);
  items_.clear();
  try {
    for (const Item& it : lines) DoAdd(it.text, nullptr);
  } catch (...) {
    items_ = std::move(saved);
    throw;
  }
}

void TStringList::SetText(const std::string& text) { DoSetText(text); }

std::string TStringList::Names(int index) const {
  const std::string& s = Strings(index);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& s = Strings(index);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& s = items_[static_cast<size_t>(i)].text;
    size_t eq = s.find('=');
    if (eq != std::string::npos && Compare(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStringList::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) items_.erase(items_.begin() + i);
    return;
  }
  if (i < 0) {
    DoAdd(name + "=" + value, nullptr);
  } else if (sorted_) {
    void* object = items_[static_cast<size_t>(i)].object;
    items_.erase(items_.begin() + i);
    DoAdd(name + "=" + value, object);
  } else {
    items_[static_cast<size_t>(i)].text = name + "=" + value;
  }
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    sorted_ = true;
    Sort();
  }
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool on) {
  if (on == case_sensitive_) return;
  case_sensitive_ = on;
  if (sorted_) Sort();
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
}

std::string TStringList::ReadAll(File& file, const std::string& name) {
  std::string data;
  int64_t size = file.Size();
  if (size > 0 && size < (int64_t{1} << 30)) data.reserve(static_cast<size_t>(size));
  char buffer[16384];
  while (true) {
    uint32_t got = 0;
    if (!file.Read(buffer, sizeof buffer, &got)) throw EReadError("Error reading file " + name);
    if (got == 0) break;
    if (got > sizeof buffer) throw EReadError("Error reading file " + name);
    data.append(buffer, got);
  }
  return data;
}

void TStringList::LoadFromStream(File& file, const std::string& name_for_errors) {
  DoSetText(ReadAll(file, name_for_errors));
}

void TStringList::LoadFromFile(FileSystem& fs, const std::string& path) {
  std::unique_ptr<File> file = fs.Open(path, FileAccess::kRead, share::kRead | share::kWrite,
                                       Disposition::kOpenExisting);
  if (!file) throw EFOpenError("Cannot open file " + path);
  std::string data = ReadAll(*file, path);
  file.reset();
  DoSetText(data);
}

void TStringList::SaveToStream(File& file, const std::string& name_for_errors) const {
  std::string text = Text();
  size_t done = 0;
  while (done < text.size()) {
    uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(text.size() - done, 1u << 20));
    uint32_t written = 0;
    if (!file.Write(text.data() + done, chunk, &written) || written == 0 || written > chunk) {
      throw EWriteError("Error writing file " + name_for_errors);
    }
    done += written;
  }
}

void TStringList::SaveToFile(FileSystem& fs, const std::string& path) const {
  // Write beside the target, then put it in place.
  std::string dir = ExtractFileDir(path);
  if (dir.empty()) dir.assign(1, '.');
  std::string temp;
  if (!fs.TempFileName(dir, "KSL", &temp)) throw EFCreateError("Cannot create file " + path);
  try {
    {
      std::unique_ptr<File> file =
          fs.Open(temp, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
      if (!file) throw EFCreateError("Cannot create file " + path);
      SaveToStream(*file, path);
    }
    if (!fs.MoveEx(temp, path, movefile::kReplaceExisting)) {
      throw EFCreateError("Cannot create file " + path);
    }
  } catch (...) {
    fs.RemoveFile(temp);
    throw;
  }
}

bool TStringList::operator==(const TStringList& other) const { return items_ == other.items_; }

}  // namespace kit
