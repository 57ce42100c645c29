#include "platform/hosts/headless/HeadlessHost.h"

#include "platform/controls/Application.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

std::unique_ptr<THost> MakeDefaultHost() { return std::make_unique<THeadlessHost>(); }

THeadlessHost& Headless() {
  if (auto* h = dynamic_cast<THeadlessHost*>(&Application->Host())) return *h;
  Application->SetHost(std::make_unique<THeadlessHost>());
  return static_cast<THeadlessHost&>(Application->Host());
}

void THeadlessHost::ModalLoopIdle(TCustomForm* Form) {
  if (!OnModal)
    throw EInvalidOperation("Modal form \"" + Form->GetName() + "\" waits for an answer the headless host cannot give");
  OnModal(Form);
}

bool THeadlessHost::PumpEvents(bool, int) {
  if (!OnPump || pumping_) return false;
  pumping_ = true;
  struct TEnd {
    bool& flag;
    ~TEnd() { flag = false; }
  } end{pumping_};
  OnPump();
  return true;
}

void THeadlessHost::AdvanceTime(uint64_t Ms) {
  uint64_t target = now_ + Ms;
  for (;;) {
    int wait = Application->MsToNextTimer();
    if (wait < 0 || now_ + static_cast<uint64_t>(wait) > target) break;
    now_ += static_cast<uint64_t>(wait);
    Application->FireDueTimers();
  }
  now_ = target;
  Application->ProcessMessages();
}

}  // namespace qel
