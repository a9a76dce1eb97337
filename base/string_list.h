// TStringList: an ordered list of 8-bit strings, each with an optional
// object pointer (not owned), as the original runtime's string list.
//
// - Indexes run from 0 to Count() - 1; any other raises EListError
//   "List index out of bounds (%d)".
// - Text is every line followed by CR LF; setting it splits at CR LF, CR or
//   LF, a final line break adds no empty line. NUL bytes are kept as text.
// - IndexOf, IndexOfName, Values and sorting ignore letter case by the
//   process's ANSI code page (AnsiCompareText); CaseSensitive switches to a
//   comparison of the bytes.
// - A sorted list keeps its order on Add; Duplicates says what happens to an
//   equal string. Insert, Move, Exchange and changing a line in place are
//   refused on a sorted list (EListError) since they would break the order.
// - Files are read and written through the platform's FileSystem with
//   Windows paths. Saving writes a temporary file beside the target and
//   replaces the target only when all of it was written, so a failed save
//   leaves the old file as it was.
//
// The changing operations are virtual so that a list bound to something
// (a language table that parses itself after every change) can react; each
// public operation reaches exactly one of them (Assign does not go through
// Add, LoadFromFile does not go through SetText).
#pragma once

#include <string>
#include <vector>

namespace kit {

class File;
class FileSystem;

enum class Duplicates { kIgnore, kAccept, kError };

class TStringList {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> lines);
  TStringList(const TStringList& other) = default;
  TStringList& operator=(const TStringList& other) = default;
  virtual ~TStringList() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  const std::string& operator[](int index) const { return Strings(index); }
  const std::string& Strings(int index) const;
  void* Objects(int index) const;
  // Changes a line in place.
  virtual void Put(int index, const std::string& s);
  virtual void PutObject(int index, void* object);

  // Returns the index of the new line (in a sorted list: where it went; -1
  // when an equal line was ignored).
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, void* object);
  virtual void AddStrings(const TStringList& other);
  // Replaces the lines (and objects) by a copy of other's; the sort
  // settings stay.
  virtual void Assign(const TStringList& other);
  virtual void Insert(int index, const std::string& s);
  virtual void InsertObject(int index, const std::string& s, void* object);
  virtual void Delete(int index);
  // The line at `from` ends up at index `to`.
  virtual void Move(int from, int to);
  virtual void Exchange(int a, int b);
  virtual void Clear();

  int IndexOf(const std::string& s) const;
  int IndexOfObject(const void* object) const;

  std::string Text() const;
  virtual void SetText(const std::string& text);
  // The lines joined with `separator` after each (the text of a memo).
  std::string Join(const std::string& separator) const;

  // Name=Value lines. Names(i) is the text before the first '=' (empty for
  // a line without one); ValueFromIndex the text after it.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(const std::string& name) const;
  // The value of the first line with that name; empty when there is none.
  std::string Values(const std::string& name) const;
  // Sets the value (adds a line when there is none); an empty value deletes
  // the line.
  virtual void SetValue(const std::string& name, const std::string& value);

  bool Sorted() const { return sorted_; }
  // Switching sorting on sorts the lines.
  void SetSorted(bool sorted);
  Duplicates DuplicatesMode() const { return duplicates_; }
  void SetDuplicates(Duplicates mode) { duplicates_ = mode; }
  bool CaseSensitive() const { return case_sensitive_; }
  void SetCaseSensitive(bool on);
  // Stable sort by the list's comparison.
  virtual void Sort();
  // In a sorted list: true when s is there; *index is where it is or would
  // go.
  bool Find(const std::string& s, int* index) const;

  // The whole file as the lines (EFOpenError "Cannot open file %s",
  // EReadError naming the file); the list is unchanged on failure.
  virtual void LoadFromFile(FileSystem& fs, const std::string& path);
  // The rest of an open file.
  virtual void LoadFromStream(File& file, const std::string& name_for_errors);
  // Text() into the file (EFCreateError "Cannot create file %s",
  // EWriteError naming the file).
  void SaveToFile(FileSystem& fs, const std::string& path) const;
  void SaveToStream(File& file, const std::string& name_for_errors) const;

  bool operator==(const TStringList& other) const;

 protected:
  struct Item {
    std::string text;
    void* object = nullptr;
    bool operator==(const Item& o) const { return text == o.text && object == o.object; }
  };
  // The operations without the virtual hooks, for derived classes.
  int DoAdd(const std::string& s, void* object);
  void DoInsert(int index, const std::string& s, void* object);
  void DoSetText(const std::string& text);
  void CheckIndex(int index) const;
  int Compare(const std::string& a, const std::string& b) const;
  [[noreturn]] void Error(const std::string& message) const;
  std::vector<Item> items_;

 private:
  void CheckNotSorted() const;
  static std::string ReadAll(File& file, const std::string& name);

  bool sorted_ = false;
  bool case_sensitive_ = false;
  Duplicates duplicates_ = Duplicates::kIgnore;
};

}  // namespace kit
