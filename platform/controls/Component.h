// TComponent: ownership, names, tags and the loading/design states.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"

namespace qel {

enum TComponentStateItem : uint8_t { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance };
using TComponentState = TSet<TComponentStateItem>;
enum TOperation : uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  /// Owner frees this component when it is freed itself; nullptr for none.
  explicit TComponent(TComponent* AOwner);
  /// Frees the owned components (last inserted first) and leaves the owner.
  ~TComponent() override;

  TComponent* GetOwner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const;
  const std::string& GetName() const { return name_; }
  virtual void SetName(const std::string& NewName);
  intptr_t GetTag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }
  TComponentState ComponentState() const { return state_; }
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  /// Asks to be told (Notification with opRemove) when AComponent goes away,
  /// also when it is not owned by this component.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  /// Loading as form streaming does it: BeginLoading sets csLoading on this
  /// component and everything it owns; EndLoading clears it and calls Loaded
  /// on each, owned components first.
  void BeginLoading();
  void EndLoading();
  /// Design mode for this component and everything it owns.
  void SetDesigning(bool Value);

 protected:
  virtual void Loaded();
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  /// Called first thing in destruction, before owned components are freed.
  virtual void Destroying();
  void SetComponentState(TComponentStateItem Item, bool On);

 private:
  void NotifyRemoval();
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_;
};

}  // namespace qel
