#include "coordinate.h"

#include "console.h"

namespace morvinta {

std::string Coordinate::square_text() const {
  return formatted("[%d,%d]", x, y);
}

std::string Coordinate::round_text() const {
  return formatted("(%d,%d)", x, y);
}

}  // namespace morvinta
