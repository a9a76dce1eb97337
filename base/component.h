// Components: named objects with an owner. The owner frees the components it
// owns when it is destroyed (last created first). A component may ask to be
// told when another one is destroyed (FreeNotification); it then receives
// Notification(other, Operation::kRemove) before the other is gone, so it can
// drop its reference.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace kit {

enum class Operation { kInsert, kRemove };

namespace cs {
constexpr unsigned kLoading = 0x1;     // the stored configuration is being read
constexpr unsigned kReading = 0x2;
constexpr unsigned kDesigning = 0x4;   // the configuration is being edited
constexpr unsigned kDestroying = 0x8;
}  // namespace cs

// Gives a class its name for the class registry and for ClassName().
#define KIT_COMPONENT_CLASS(NAME)                                        \
 public:                                                                  \
  static const char* StaticClassName() { return #NAME; }                 \
  const char* ClassName() const override { return #NAME; }              \
                                                                          \
 private:

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  static const char* StaticClassName() { return "TComponent"; }
  virtual const char* ClassName() const { return "TComponent"; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  // The owned component of that name (compared without regard to case), or null.
  TComponent* FindComponent(const std::string& name) const;

  // Ownership changes; the owner and its components are notified.
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Both components will be told when the other is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  unsigned ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & cs::kLoading) != 0; }
  bool IsDesigning() const { return (state_ & cs::kDesigning) != 0; }
  bool IsDestroying() const { return (state_ & cs::kDestroying) != 0; }
  void SetLoading(bool on) { SetState(cs::kLoading, on); }
  void SetDesigning(bool on) { SetState(cs::kDesigning, on); }

  // End of loading: clears the loading state. Overrides call this first.
  virtual void Loaded();

 protected:
  // Another component is inserted into or removed from this one's owner, or
  // a component this one asked about is being destroyed. An owner is always
  // told of its own components; of its siblings, a component is told only
  // once it has called HearSiblings (its constructor does, when its class
  // overrides this), so that a form of thousands is not told thousands of
  // times over.
  virtual void Notification(TComponent* component, Operation operation);
  void HearSiblings();

 private:
  void SetState(unsigned bit, bool on) { state_ = on ? (state_ | bit) : (state_ & ~bit); }
  void NotifyOwned(TComponent* component, Operation operation);

  std::string name_;
  int tag_ = 0;
  unsigned state_ = 0;
  TComponent* owner_ = nullptr;
  void IndexName(const TComponent* c);

  std::vector<TComponent*> components_;   // owned, in creation order
  unsigned long long components_changes_ = 0;  // counts inserts and removals
  std::vector<TComponent*> hearers_;      // owned ones that hear siblings, in order
  bool hears_siblings_ = false;
  // Positions in components_ by upper-case name, the first of each name;
  // built on the first look-up and kept up to date after.
  mutable std::unordered_map<std::string, std::size_t> names_;
  mutable bool names_valid_ = false;
  std::vector<TComponent*> free_notifies_;
};

}  // namespace kit
