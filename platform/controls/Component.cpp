#include "platform/controls/Component.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {
void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

bool IsValidIdent(const std::string& s) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}
}  // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  NotifyRemoval();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() { state_.Include(csDestroying); }

void TComponent::NotifyRemoval() {
  // Whoever asked to hear of our going, hears of it once.
  auto listeners = std::move(freeNotifies_);
  freeNotifies_.clear();
  for (TComponent* c : listeners) {
    EraseOne(c->freeNotifies_, this);
    c->Notification(this, opRemove);
  }
  if (owner_ && !owner_->state_.Contains(csDestroying)) owner_->Notification(this, opRemove);
}

TComponent* TComponent::Components(int Index) const {
  return Index >= 0 && Index < ComponentCount() ? components_[Index] : nullptr;
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == name_) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EConvertError("\"" + NewName + "\" is not a valid component name");
  if (!NewName.empty() && owner_ && owner_->FindComponent(NewName))
    throw EConvertError("A component named " + NewName + " already exists");
  name_ = NewName;
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_) {
    const std::string& n = c->name_;
    if (n.size() == AName.size() &&
        std::equal(n.begin(), n.end(), AName.begin(), [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
      return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  EraseOne(components_, AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    RemoveComponent(c);
    delete c;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  EraseOne(freeNotifies_, AComponent);
  EraseOne(AComponent->freeNotifies_, this);
}

void TComponent::BeginLoading() {
  state_.Include(csLoading);
  for (TComponent* c : components_) c->BeginLoading();
}

void TComponent::EndLoading() {
  for (TComponent* c : components_) c->EndLoading();
  state_.Exclude(csLoading);
  Loaded();
}

void TComponent::SetDesigning(bool Value) {
  SetComponentState(csDesigning, Value);
  for (TComponent* c : components_) c->SetDesigning(Value);
}

void TComponent::Loaded() {}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetComponentState(TComponentStateItem Item, bool On) {
  if (On) state_.Include(Item); else state_.Exclude(Item);
}

}  // namespace qel
