// Typed cell texts (see CellInput.h), read with the platform's Val.
#include "ntabed/detail/CellInput.h"

#include "platform/rtl/NumConv.h"

namespace qel {

TCellInput ParseCellInput(const std::string& Text, double& Value) {
  size_t first = Text.find_first_not_of(" \t"), last = Text.find_last_not_of(" \t");
  if (first == std::string::npos) return TCellInput::Empty;
  std::string number = Text.substr(first, last - first + 1);
  for (char& c : number)
    if (c == ',') c = '.';
  double v = 0;
  int code = 0;
  Val(number, v, code);
  if (code != 0) return TCellInput::Invalid;
  Value = v;
  return TCellInput::Number;
}

}  // namespace qel
