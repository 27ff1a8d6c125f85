// A square of the game's map, as the report writes it: "[x,y]".
#pragma once

#include <cstdint>
#include <string>

namespace morvinta {

struct Coordinate {
  std::int32_t x = 0;
  std::int32_t y = 0;

  void set(std::int32_t new_x, std::int32_t new_y) {
    x = new_x;
    y = new_y;
  }
  // "[x,y]"
  std::string square_text() const;
  // "(x,y)"
  std::string round_text() const;
};

}  // namespace morvinta
