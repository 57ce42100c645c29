// The platform's exception hierarchy. Everything the library raises derives
// from Exception, whose Message is the text shown to users.
#pragma once
#include <stdexcept>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The root of the library's exceptions: a message.
class Exception : public std::runtime_error {
 public:
  /// An exception with the message.
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  /// The message.
  std::string Message() const { return what(); }
};

/// Declares exception class Name, derived from Base, with Base's constructors.
#define QEL_EXCEPTION(Name, Base) \
  class Name : public Base {      \
   public:                        \
    using Base::Base;             \
  };

/// Text that is no number or date, impossible dates, bad assignments.
QEL_EXCEPTION(EConvertError, Exception)
/// Text files: message holds the file name and the system's reason.
QEL_EXCEPTION(EInOutError, Exception)
/// Memory could not be allocated.
QEL_EXCEPTION(EOutOfMemory, Exception)
/// Reading past the end, writing to a read-only stream.
QEL_EXCEPTION(EStreamError, Exception)
/// A file stream that cannot open its file.
QEL_EXCEPTION(EFOpenError, EStreamError)
/// Image files that are truncated, malformed or absurdly large.
QEL_EXCEPTION(EInvalidGraphic, Exception)
/// LoadFromResourceName with an unknown name.
QEL_EXCEPTION(EResNotFound, Exception)
/// TStrings index out of range.
QEL_EXCEPTION(EListError, Exception)
/// Focusing a hidden control, showing a shown form modally.
QEL_EXCEPTION(EInvalidOperation, Exception)

QEL_API_END
}  // namespace qel
