#include "base/component.h"

#include <gtest/gtest.h>

#include <vector>

namespace kit {
namespace {

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TComponent(owner), log_(log) {
    HearSiblings();
    SetName(std::move(name));
  }
  ~Probe() override { log_->push_back("free " + Name()); }
  TComponent* ref = nullptr;

 protected:
  void Notification(TComponent* c, Operation op) override {
    if (op == Operation::kRemove && c == ref) {
      log_->push_back(Name() + " drops " + c->Name());
      ref = nullptr;
    }
  }

 private:
  std::vector<std::string>* log_;
};

TEST(Component, OwnerFreesOwnedLastFirst) {
  std::vector<std::string> log;
  auto* root = new Probe(nullptr, &log, "root");
  new Probe(root, &log, "a");
  new Probe(root, &log, "b");
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->FindComponent("B")->Name(), "b");
  delete root;
  EXPECT_EQ(log, (std::vector<std::string>{"free root", "free b", "free a"}));
}

TEST(Component, FreeNotificationClearsReference) {
  std::vector<std::string> log;
  Probe holder(nullptr, &log, "holder");
  auto* target = new Probe(nullptr, &log, "target");
  holder.ref = target;
  holder.FreeNotification(target);
  delete target;
  EXPECT_EQ(holder.ref, nullptr);
  EXPECT_EQ(log[0], "free target");
  EXPECT_EQ(log[1], "holder drops target");
}

TEST(Component, FindsByNameAfterRenamesRemovalsAndTwins) {
  std::vector<std::string> log;
  Probe root(nullptr, &log, "root");
  auto* a = new Probe(&root, &log, "Alpha");
  auto* b = new Probe(&root, &log, "Beta");
  EXPECT_EQ(root.FindComponent("ALPHA"), a);  // the index is built here
  b->SetName("Gamma");
  EXPECT_EQ(root.FindComponent("beta"), nullptr);
  EXPECT_EQ(root.FindComponent("gamma"), b);
  auto* twin = new Probe(&root, &log, "alpha");  // the first of a name is found
  EXPECT_EQ(root.FindComponent("Alpha"), a);
  delete a;
  EXPECT_EQ(root.FindComponent("Alpha"), twin);
  EXPECT_EQ(root.FindComponent("Gamma"), b);
  root.RemoveComponent(b);
  EXPECT_EQ(root.FindComponent("Gamma"), nullptr);
  delete b;
}

TEST(Component, AListeningSiblingIsToldOfAnothersEnd) {
  std::vector<std::string> log;
  Probe root(nullptr, &log, "root");
  auto* listener = new Probe(&root, &log, "listener");
  auto* quiet = new TComponent(&root);
  quiet->SetName("quiet");
  listener->ref = quiet;
  delete quiet;
  EXPECT_EQ(listener->ref, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"listener drops quiet"}));
}

}  // namespace
}  // namespace kit
