#include "splices.h"

#include <algorithm>
#include <utility>

namespace morvinta {

void Splices::replace(std::size_t begin, std::size_t end,
                      std::string replacement) {
  edits_.push_back({begin, end, std::move(replacement)});
}

std::string Splices::apply(std::string_view text) const {
  std::vector<const Edit*> order;
  order.reserve(edits_.size());
  std::size_t grown = text.size();
  for (const Edit& edit : edits_) {
    order.push_back(&edit);
    grown += edit.replacement.size();
  }
  std::stable_sort(
      order.begin(), order.end(),
      [](const Edit* a, const Edit* b) { return a->begin < b->begin; });
  std::string out;
  out.reserve(grown);
  std::size_t done = 0;
  for (const Edit* edit : order) {
    out.append(text, done, edit->begin - done);
    out += edit->replacement;
    done = edit->end;
  }
  out.append(text, done);
  return out;
}

}  // namespace morvinta
