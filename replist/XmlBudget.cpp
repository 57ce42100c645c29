#include "replist/detail/XmlBudget.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace qel {

double XmlListFootprint(int Cols, int Rows) {
  const double cols = std::max(Cols, 1), rows = std::max(Rows, 1);
  const double cell = sizeof(std::string), row = 1 + sizeof(int), column = 2 * sizeof(std::string) + 2;
  return (cols + 1) * rows * cell + rows * row + cols * column;
}

bool XmlBlockBacksList(int Cols, int Rows, int64_t BlockBytes) {
  return XmlListFootprint(Cols, Rows) <= double(XmlFreeFootprint) + double(XmlFootprintPerByte) * double(BlockBytes);
}

int64_t XmlRoomNeeded(int Cols, int Rows, int64_t BlockBytes) {
  const double excess = XmlListFootprint(Cols, Rows) - double(XmlFreeFootprint);
  const double wanted = std::ceil(excess / double(XmlFootprintPerByte / 2));
  return std::max<int64_t>(0, int64_t(wanted) - BlockBytes);
}

}  // namespace qel
