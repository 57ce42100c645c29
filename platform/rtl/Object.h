// TObject and TPersistent: the roots of the class tree. They live in the
// run-time library because graphics objects (fonts, pens, bitmaps) are
// persistent too, and graphics sits below the controls layer.
#pragma once
#include <functional>
#include <string>

namespace qel {

class TObject {
 public:
  virtual ~TObject() = default;
  /// The class name without namespace, e.g. "TFont".
  std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
 public:
  /// Copies Source into this object. The default asks Source to AssignTo this
  /// object and, when nothing knows how, raises EConvertError
  /// "Cannot assign a <source class> to a <target class>" ("nil" for no source).
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace qel
