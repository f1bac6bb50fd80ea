#pragma once
// The changed rectangles of a frame as the window system gets them: a few
// bands. Window systems pay for every rectangle they are
// handed (Qt splits a region into many, X and GDI take a request each) and
// for every pixel they copy, so a frame goes out as at most kMaxBands
// rectangles that add little area to what changed.
#include "base/surface.hpp"

namespace quimbel::engine {

inline constexpr int kMaxBands = 32;

// Adds r to rects[0, count), merged with every rectangle whose common bounds
// are no larger than the two apart (a character's old and new place become
// one, neighbours that merely touch stay apart); returns the new count.
// rects has room for count + 1.
int AddMerged(base::Rect* rects, int count, base::Rect r);

// Merges rects[0, count) in place into at most maxBands (at least 1)
// rectangles covering every pixel they covered: each step joins the two
// whose common bounds add the least to the sum of the areas, first every
// pair that adds nothing, then while there are too many. Bands may overlap
// where joining them would copy more than copying their common part twice;
// their areas never add up to more than the bounds of them all. Returns the
// new count.
int MergeIntoBands(base::Rect* rects, int count, int maxBands = kMaxBands);

}  // namespace quimbel::engine
