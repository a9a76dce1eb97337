// What holds controls: a form or a container control (panel, group box,
// tab control). It keeps its children in insertion order, lays out the
// aligned ones and lends them its font and peer.
#pragma once

#include <vector>

#include "ui/font.h"

namespace kit {

class TComponent;
class TControl;
class WindowPeer;

class TControlParent {
 public:
  virtual ~TControlParent();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // The child (at any depth) of that name or caption, or null.
  TControl* FindControl(const std::string& name_or_caption) const;

  // The peer the children's peers live in, or null while it is not made.
  virtual WindowPeer* ContainerPeer() = 0;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual const TFont& ContainerFont() const = 0;
  virtual TColor ContainerColor() const = 0;
  virtual TComponent* ContainerComponent() = 0;

  // Places the aligned children: top, bottom, left and right ones along the
  // edges in turn, the client one in what is left.
  void AlignControls();
  // The controls in the order Tab moves through them.
  std::vector<TControl*> TabOrderList() const;

 protected:
  // Room the container's own drawing takes (a group box's caption).
  virtual void ClientInsets(int* left, int* top, int* right, int* bottom) const;
  void CreateChildPeers();
  void ParentFontChanged();
  void ParentColorChanged();

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
  bool aligning_ = false;
};

}  // namespace kit
