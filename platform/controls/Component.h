// TComponent: ownership, names, tags and the loading/design states.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// What a component is doing: loading, being destroyed, in design mode, ...
enum TComponentStateItem : uint8_t { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance };
/// A set of component states.
using TComponentState = TSet<TComponentStateItem>;
/// Whether a component was added to or removed from another.
enum TOperation : uint8_t { opInsert, opRemove };

/// An object with an owner that frees it, a name, a tag and the loading and design states.
class TComponent : public TPersistent {
 public:
  /// Owner frees this component when it is freed itself; nullptr for none.
  explicit TComponent(TComponent* AOwner);
  /// Frees the owned components (last inserted first) and leaves the owner.
  ~TComponent() override;

  /// The component that frees this one (nullptr: none).
  TComponent* GetOwner() const { return owner_; }
  /// Number of components this one owns.
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  /// Owned component Index (from 0).
  TComponent* Components(int Index) const;
  /// Name of the component; one another component of the owner has (in any case) raises EConvertError.
  ///@{
  const std::string& GetName() const { return name_; }
  virtual void SetName(const std::string& NewName);
  ///@}
  /// A number free for the application's use.
  ///@{
  intptr_t GetTag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }
  ///@}
  /// The loading and design states.
  TComponentState ComponentState() const { return state_; }
  /// The owned component named AName (ASCII case ignored), or nullptr.
  TComponent* FindComponent(const std::string& AName) const;

  /// Take over or give up ownership of a component.
  ///@{
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  ///@}
  /// Frees every owned component.
  void DestroyComponents();

  /// Asks to be told (Notification with opRemove) when AComponent goes away,
  /// also when it is not owned by this component.
  void FreeNotification(TComponent* AComponent);
  /// Stops telling about AComponent's removal.
  void RemoveFreeNotification(TComponent* AComponent);

  /// Loading as form streaming does it: BeginLoading sets csLoading on this
  /// component and everything it owns; EndLoading clears it and calls Loaded
  /// on each, owned components first.
  ///@{
  void BeginLoading();
  void EndLoading();
  ///@}
  /// Design mode for this component and everything it owns.
  void SetDesigning(bool Value);

 protected:
  /// Called once loading is done (EndLoading), owned components first.
  virtual void Loaded();
  /// Tells that AComponent was added or is being removed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  /// Called first thing in destruction, before owned components are freed.
  virtual void Destroying();
  /// Sets or clears one state item.
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

QEL_API_END
}  // namespace qel
