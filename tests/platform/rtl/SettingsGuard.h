// Tests change the global FormatSettings; this puts the previous value back.
#pragma once
#include "platform/rtl/FormatSettings.h"

namespace qel::test {

class SettingsGuard {
 public:
  SettingsGuard() : saved_(FormatSettings) { FormatSettings = TFormatSettings(); }
  ~SettingsGuard() { FormatSettings = saved_; }
  SettingsGuard(const SettingsGuard&) = delete;
  SettingsGuard& operator=(const SettingsGuard&) = delete;

 private:
  TFormatSettings saved_;
};

}  // namespace qel::test
