#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace {
// Records its own destruction and the notifications it hears.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::vector<std::string>* log, std::string tag)
      : TComponent(owner), log_(log), tag_(std::move(tag)) {}
  ~TProbe() override { log_->push_back("free " + tag_); }
  void Loaded() override { log_->push_back("loaded " + tag_ + (ComponentState().Contains(csLoading) ? "!" : "")); }
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove) log_->push_back(tag_ + " hears removal of " + c->GetName());
  }

 private:
  std::vector<std::string>* log_;
  std::string tag_;
};
}  // namespace

TEST(Component, OwnerFreesOwnedOnceAndFreedChildLeavesOwner) {
  std::vector<std::string> log;
  auto* owner = new TProbe(nullptr, &log, "owner");
  auto* a = new TProbe(owner, &log, "a");
  new TProbe(a, &log, "a1");
  auto* b = new TProbe(owner, &log, "b");
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete b;  // leaves its owner at once
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(owner->Components(5), nullptr);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"free owner", "free a", "free a1"}));
}

TEST(Component, NamesAreCheckedAndFoundCaseInsensitively) {
  TComponent owner(nullptr);
  auto* c = new TComponent(&owner);
  c->SetName("Meter1");
  EXPECT_EQ(owner.FindComponent("METER1"), c);
  auto* d = new TComponent(&owner);
  EXPECT_THROW(d->SetName("meter1"), EConvertError);
  EXPECT_THROW(d->SetName("1abc"), EConvertError);
  EXPECT_EQ(d->GetName(), "");
}

TEST(Component, LoadingEndsWithLoadedOnEveryComponentAndDesignModeSpreads) {
  std::vector<std::string> log;
  TProbe owner(nullptr, &log, "owner");
  new TProbe(&owner, &log, "child");
  owner.BeginLoading();
  EXPECT_TRUE(owner.Components(0)->ComponentState().Contains(csLoading));
  owner.EndLoading();
  // Loaded runs after csLoading is cleared, children first.
  EXPECT_EQ(log, (std::vector<std::string>{"loaded child", "loaded owner"}));
  owner.SetDesigning(true);
  EXPECT_TRUE(owner.Components(0)->ComponentState().Contains(csDesigning));
  owner.Components(0)->SetName("Kid");
  log.clear();
}

TEST(Component, FreeNotificationReachesListenerOutsideOwnership) {
  std::vector<std::string> log;
  TProbe listener(nullptr, &log, "listener");
  auto* other = new TProbe(nullptr, &log, "other");
  other->SetName("Other");
  listener.FreeNotification(other);
  delete other;
  EXPECT_EQ(log, (std::vector<std::string>{"free other", "listener hears removal of Other"}));
}
