// TObject and TPersistent: the roots of the class tree. They live in the
// run-time library because graphics objects (fonts, pens, bitmaps) are
// persistent too, and graphics sits below the controls layer.
#pragma once
#include <functional>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The root of the class tree: a virtual destructor and the class name.
class TObject {
 public:
  virtual ~TObject() = default;
  /// The class name without namespace, e.g. "TFont".
  std::string ClassName() const;
};

/// An event with only its sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

/// An object that can copy itself from another of its kind (Assign).
class TPersistent : public TObject {
 public:
  /// Copies Source into this object. The default asks Source to AssignTo this
  /// object and, when nothing knows how, raises EConvertError
  /// "Cannot assign a <source class> to a <target class>" ("nil" for no source).
  virtual void Assign(TPersistent* Source);

 protected:
  /// Copies this object into Dest; the default raises through AssignError.
  virtual void AssignTo(TPersistent* Dest);
  /// Raises EConvertError "Cannot assign a ... to a ...".
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

QEL_API_END
}  // namespace qel
