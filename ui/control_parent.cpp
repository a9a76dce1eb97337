#include "ui/control_parent.h"

#include <algorithm>

#include "base/text.h"
#include "ui/control.h"

namespace kit {

TControlParent::~TControlParent() {
  // Children outliving their parent stand nowhere.
  for (TControl* c : controls_) {
    c->FreePeer();
    c->parent_ = nullptr;
  }
}

void TControlParent::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (control->tab_order_ < 0) control->tab_order_ = static_cast<int>(controls_.size()) - 1;
}

void TControlParent::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (control->Align() != alNone) AlignControls();
}

namespace {
// A caption without its accelerator marks.
std::string PlainCaption(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) ++i;
    out += s[i];
  }
  return out;
}
}  // namespace

TControl* TControlParent::FindControl(const std::string& key) const {
  for (TControl* c : controls_) {
    if (SameText(c->Name(), key) || c->Caption() == key || PlainCaption(c->Caption()) == key) return c;
    if (auto* inner = dynamic_cast<TControlParent*>(c)) {
      if (TControl* found = inner->FindControl(key)) return found;
    }
  }
  return nullptr;
}

void TControlParent::ClientInsets(int* left, int* top, int* right, int* bottom) const {
  *left = *top = *right = *bottom = 0;
}

void TControlParent::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  int l, t, r, b;
  ClientInsets(&l, &t, &r, &b);
  int left = l, top = t, right = ClientWidth() - r, bottom = ClientHeight() - b;
  auto pass = [&](TAlign which) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == which && c->Visible()) list.push_back(c);
    // Along an edge, the one nearer the edge comes first.
    std::stable_sort(list.begin(), list.end(), [which](TControl* a, TControl* z) {
      switch (which) {
        case alTop: return a->Top() < z->Top();
        case alBottom: return a->Top() + a->Height() > z->Top() + z->Height();
        case alLeft: return a->Left() < z->Left();
        case alRight: return a->Left() + a->Width() > z->Left() + z->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      const int w = std::max(0, right - left), h = std::max(0, bottom - top);
      switch (which) {
        case alTop:
          c->SetBounds(left, top, w, c->Height());
          top += c->Height();
          break;
        case alBottom:
          c->SetBounds(left, bottom - c->Height(), w, c->Height());
          bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(left, top, c->Width(), h);
          left += c->Width();
          break;
        case alRight:
          c->SetBounds(right - c->Width(), top, c->Width(), h);
          right -= c->Width();
          break;
        case alClient:
          c->SetBounds(left, top, w, h);
          break;
        default:
          break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) pass(a);
  aligning_ = false;
}

std::vector<TControl*> TControlParent::TabOrderList() const {
  std::vector<TControl*> list;
  std::vector<TControl*> here(controls_);
  std::stable_sort(here.begin(), here.end(),
                   [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TControl* c : here) {
    if (c->TabStop()) list.push_back(c);
    if (auto* inner = dynamic_cast<TControlParent*>(c)) {
      auto sub = inner->TabOrderList();
      list.insert(list.end(), sub.begin(), sub.end());
    }
  }
  return list;
}

void TControlParent::CreateChildPeers() {
  WindowPeer* peer = ContainerPeer();
  if (peer == nullptr) return;
  // Made in tab order, so that the window system's order is the tab order.
  std::vector<TControl*> here(controls_);
  std::stable_sort(here.begin(), here.end(),
                   [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TControl* c : here) c->MakePeer(peer);
}

void TControlParent::ParentFontChanged() {
  for (TControl* c : controls_) c->InheritFont();
}

void TControlParent::ParentColorChanged() {
  for (TControl* c : controls_)
    if (c->ParentColor()) c->SetParentColor(true);
}

}  // namespace kit
