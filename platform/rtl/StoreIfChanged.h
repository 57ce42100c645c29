// StoreIfChanged: the storing half of every property setter. Pens, fonts and
// other persistents notify their owner when it returns true; controls go
// through TControl::SetProperty, which repaints on top of it.
#pragma once
#include <utility>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Stores Value in Field when they differ; returns whether Field changed.
template <class T, class V>
bool StoreIfChanged(T& Field, V&& Value) {
  if (Field == Value) return false;
  Field = std::forward<V>(Value);
  return true;
}

QEL_API_END
}  // namespace qel
