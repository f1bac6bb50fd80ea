#include "engine/bands.hpp"

#include <algorithm>
#include <limits>

namespace quimbel::engine {
namespace {

using base::Rect;

long long Area(const Rect& r) {
  return static_cast<long long>(r.width) * r.height;
}

Rect Bounds(const Rect& a, const Rect& b) {
  const int x = std::min(a.x, b.x);
  const int y = std::min(a.y, b.y);
  return {x, y, std::max(a.x + a.width, b.x + b.width) - x,
          std::max(a.y + a.height, b.y + b.height) - y};
}

}  // namespace

int AddMerged(Rect* rects, int count, Rect r) {
  if (r.Empty())
    return count;
  for (int k = 0; k < count;) {
    const Rect both = Bounds(r, rects[k]);
    if (Area(both) <= Area(r) + Area(rects[k])) {
      r = both;
      rects[k] = rects[--count];
      k = 0;  // the grown rectangle may now take one already passed
    } else {
      ++k;
    }
  }
  rects[count++] = r;
  return count;
}

int MergeIntoBands(Rect* rects, int count, int maxBands) {
  maxBands = std::max(maxBands, 1);
  count = static_cast<int>(
      std::remove_if(rects, rects + count, [](const Rect& r) { return r.Empty(); }) - rects);
  for (;;) {
    const bool tooMany = count > maxBands;
    long long best = std::numeric_limits<long long>::max();
    int bi = -1, bj = -1;
    for (int i = 0; i < count; ++i) {
      const Rect& a = rects[i];
      const long long areaA = Area(a);
      for (int j = i + 1; j < count; ++j) {
        const Rect& b = rects[j];
        const long long across = std::max(a.x + a.width, b.x + b.width) - std::min(a.x, b.x);
        const long long down = std::max(a.y + a.height, b.y + b.height) - std::min(a.y, b.y);
        const long long cost = across * down - areaA - Area(b);
        if (cost < best && (tooMany || cost <= 0)) {
          best = cost;
          bi = i;
          bj = j;
        }
      }
    }
    if (bi < 0)
      break;
    rects[bi] = Bounds(rects[bi], rects[bj]);
    rects[bj] = rects[--count];
  }
  // Scattered pieces forced together may come to more than their bounds.
  long long sum = 0;
  Rect all = count > 0 ? rects[0] : Rect{};
  for (int k = 0; k < count; ++k) {
    sum += Area(rects[k]);
    all = Bounds(all, rects[k]);
  }
  if (count > 1 && sum > Area(all)) {
    rects[0] = all;
    count = 1;
  }
  return count;
}

}  // namespace quimbel::engine
