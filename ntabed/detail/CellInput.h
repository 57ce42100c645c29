// What a typed cell text means: a number, an empty cell or invalid input.
// Commas count as decimal points (decimal-comma users type "3,5"), blanks
// around the number are ignored, and a text of blanks only empties the cell.
#pragma once
#include <string>

namespace qel {

/// What a typed cell text is: a number, empty, or no number.
enum class TCellInput : unsigned char { Number, Empty, Invalid };

/// Value is set only for a number.
TCellInput ParseCellInput(const std::string& Text, double& Value);

}  // namespace qel
