// Edits of a text gathered first and made in one copy: the page edits that
// touch hundreds of places (links, numbers, weights) would otherwise copy the
// whole report once per place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text_scan.h"

namespace morvinta {

class Splices {
 public:
  // Replaces the bytes [begin, end) of the text by the replacement (an
  // insertion when begin equals end). Places are those of the text the edits
  // are applied to; edits at the same place keep the order they were added
  // in. Edits must not overlap.
  void replace(std::size_t begin, std::size_t end, std::string replacement);

  bool empty() const { return edits_.empty(); }

  // The text with every edit made, in one copy.
  std::string apply(std::string_view text) const;

 private:
  struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string replacement;
  };
  std::vector<Edit> edits_;
};

// Calls visit(at) for every place where the pattern starts in the text, from
// the left; occurrences may overlap. An empty pattern visits nothing.
template <typename Visit>
void for_each_occurrence(std::string_view text, std::string_view pattern,
                         Visit visit) {
  for (const std::size_t at : find_all(text, pattern)) visit(at);
}

}  // namespace morvinta
