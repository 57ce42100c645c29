// Escaping for the report-list XML format. Text content round-trips byte for
// byte: the reserved characters become entities, tab, line feed and carriage
// return become character references, and every byte XML cannot carry
// (other control characters, bytes that are not valid UTF-8, U+FFFE/U+FFFF)
// becomes an empty element <byte v="N"/>.
#pragma once
#include <string>

namespace qel {

/// Name of the element that carries a byte XML cannot.
constexpr const char* kXmlByteElement = "byte";

/// Appends Text to Out escaped as XML text content.
void AppendXmlText(std::string& Out, const std::string& Text);
/// For attribute values: as above, but bytes XML cannot carry are dropped.
void AppendXmlAttribute(std::string& Out, const std::string& Text);

}  // namespace qel
