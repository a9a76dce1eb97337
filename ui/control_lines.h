// The lines or items of a control: a string list that tells the control of
// every change, so that what is shown follows.
#pragma once

#include <functional>

#include "base/string_list.h"

namespace kit {

class TControlLines : public TStringList {
 public:
  std::function<void()> on_change;

  void Put(int index, const std::string& s) override { TStringList::Put(index, s), Changed(); }
  int AddObject(const std::string& s, void* object) override {
    const int i = TStringList::AddObject(s, object);
    Changed();
    return i;
  }
  int Add(const std::string& s) override { return AddObject(s, nullptr); }
  void AddStrings(const TStringList& other) override { TStringList::AddStrings(other), Changed(); }
  void Assign(const TStringList& other) override { TStringList::Assign(other), Changed(); }
  void Insert(int index, const std::string& s) override { TStringList::Insert(index, s), Changed(); }
  void InsertObject(int index, const std::string& s, void* object) override {
    TStringList::InsertObject(index, s, object), Changed();
  }
  void Delete(int index) override { TStringList::Delete(index), Changed(); }
  void Move(int from, int to) override { TStringList::Move(from, to), Changed(); }
  void Exchange(int a, int b) override { TStringList::Exchange(a, b), Changed(); }
  void Clear() override { TStringList::Clear(), Changed(); }
  void SetText(const std::string& text) override { TStringList::SetText(text), Changed(); }

  std::vector<std::string> Lines() const {
    std::vector<std::string> v;
    for (int i = 0; i < Count(); ++i) v.push_back(Strings(i));
    return v;
  }
  void SetLines(const std::vector<std::string>& lines) {
    TStringList::Clear();
    for (const auto& l : lines) TStringList::AddObject(l, nullptr);
    Changed();
  }

 private:
  void Changed() {
    if (on_change) on_change();
  }
};

}  // namespace kit
