// The built-in pictures: sizes, the sprite sheets' colour and layout rules,
// transparency of the icons, and the decoder's refusal of broken data.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "assets/embedded.hpp"
#include "assets/pictures.hpp"
#include "assets/png_decoder.hpp"
#include "base/runtime_error.hpp"

using namespace quimbel;
using base::kBlack;
using base::kWhite;
using base::Pixel;

namespace {

constexpr int kCellW = 80;
constexpr int kCellH = 140;

struct Rows {
  int top = kCellH;
  int bottom = -1;
};

// Rows that hold mask-black pixels in frame c of a sheet.
Rows FigureRows(const base::Surface& sheet, int c) {
  Rows r;
  for (int y = 0; y < kCellH; ++y) {
    for (int x = 0; x < kCellW; ++x) {
      if (sheet.At(c * kCellW + x, kCellH + y) == kBlack) {
        r.top = std::min(r.top, y);
        r.bottom = std::max(r.bottom, y);
      }
    }
  }
  return r;
}

int CountTransparent(const base::Icon& icon) {
  return static_cast<int>(std::count(icon.transparent.begin(), icon.transparent.end(), true));
}

bool Transparent(const base::Icon& icon, int x, int y) {
  return icon.transparent[static_cast<std::size_t>(y * icon.colour.Width() + x)];
}

int ErrorOf(auto&& f) {
  try {
    f();
  } catch (const base::RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

TEST(PicturesTest, EveryPictureHasItsSize) {
  for (int n = 0; n < assets::kCastSize; ++n) {
    EXPECT_EQ(assets::SpriteSheet(n).Width(), 320) << n;
    EXPECT_EQ(assets::SpriteSheet(n).Height(), 280) << n;
    EXPECT_EQ(assets::Portrait(n).Width(), 80) << n;
    EXPECT_EQ(assets::Portrait(n).Height(), 80) << n;
  }
  EXPECT_EQ(assets::DialogPicture().Width(), 80);
  EXPECT_EQ(assets::DialogPicture().Height(), 80);
  EXPECT_EQ(assets::ProgramIcon().colour.Width(), 32);
  EXPECT_EQ(assets::ProgramIcon().colour.Height(), 32);
  EXPECT_EQ(assets::HelpIcon().colour.Width(), 80);
  EXPECT_EQ(assets::HelpIcon().colour.Height(), 80);
  EXPECT_EQ(assets::InvisiblePointer().colour.Width(), 32);
  EXPECT_EQ(assets::InvisiblePointer().colour.Height(), 32);
  EXPECT_EQ(assets::PreviewPicture().Width(), 175);
  EXPECT_EQ(assets::PreviewPicture().Height(), 140);
  EXPECT_EQ(assets::Logo().Width(), 50);
  EXPECT_EQ(assets::Logo().Height(), 50);
  for (int i = 0; i < assets::kCyclists; ++i) {
    EXPECT_EQ(assets::Cyclist(i).colour.Width(), 32) << i;
    EXPECT_EQ(assets::Cyclist(i).colour.Height(), 32) << i;
    EXPECT_EQ(assets::Cyclist(i).transparent.size(), 32u * 32u) << i;
  }
  EXPECT_EQ(assets::CyclistIcon().colour.Width(), 32);
}

// Mask band only black or white; outside the silhouette the image is pure
// white; inside it the image may hold any colour, white included.
TEST(PicturesTest, SheetsKeepBothColourRulesInAllFrames) {
  for (int n = 0; n < assets::kCastSize; ++n) {
    const base::Surface& s = assets::SpriteSheet(n);
    for (int c = 0; c < 4; ++c) {
      int opaque = 0;
      int whiteInside = 0;
      for (int y = 0; y < kCellH; ++y) {
        for (int x = c * kCellW; x < (c + 1) * kCellW; ++x) {
          const Pixel mask = s.At(x, kCellH + y);
          const Pixel image = s.At(x, y);
          ASSERT_TRUE(mask == kBlack || mask == kWhite)
              << "sheet " << n << " frame " << c << " mask at " << x << "," << y;
          if (mask == kWhite) {
            ASSERT_EQ(image, kWhite) << "sheet " << n << " frame " << c << " at " << x << "," << y;
          } else {
            ++opaque;
            whiteInside += image == kWhite ? 1 : 0;
          }
        }
      }
      EXPECT_GT(opaque, 800) << "sheet " << n << " frame " << c << " has hardly a figure";
      EXPECT_LT(whiteInside, opaque / 4) << "sheet " << n << " frame " << c;
    }
  }
}

// Every black area of a mask covers some drawn colour: no stray blobs, and a
// mask shifted off its figure would break the colour rule above.
TEST(PicturesTest, EachMaskLiesExactlyUnderItsFigure) {
  for (int n = 0; n < assets::kCastSize; ++n) {
    const base::Surface& s = assets::SpriteSheet(n);
    for (int c = 0; c < 4; ++c) {
      std::vector<int> seen(kCellW * kCellH, 0);
      for (int y0 = 0; y0 < kCellH; ++y0) {
        for (int x0 = 0; x0 < kCellW; ++x0) {
          if (seen[y0 * kCellW + x0] || s.At(c * kCellW + x0, kCellH + y0) != kBlack) {
            continue;
          }
          bool coloured = false;
          std::vector<std::pair<int, int>> todo{{x0, y0}};
          seen[y0 * kCellW + x0] = 1;
          while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            coloured = coloured || s.At(c * kCellW + x, y) != kWhite;
            const int dx[] = {1, -1, 0, 0};
            const int dy[] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
              const int nx = x + dx[k];
              const int ny = y + dy[k];
              if (nx < 0 || ny < 0 || nx >= kCellW || ny >= kCellH || seen[ny * kCellW + nx] ||
                  s.At(c * kCellW + nx, kCellH + ny) != kBlack) {
                continue;
              }
              seen[ny * kCellW + nx] = 1;
              todo.push_back({nx, ny});
            }
          }
          EXPECT_TRUE(coloured) << "sheet " << n << " frame " << c << ": mask area at " << x0 << ","
                                << y0 << " covers nothing drawn";
        }
      }
    }
  }
}

// Each figure keeps a free border in its cell, and sits where the cast's
// walking heights expect it.
TEST(PicturesTest, FiguresStayInsideTheirCellsAtTheirRows) {
  for (int n = 0; n < assets::kCastSize; ++n) {
    const base::Surface& s = assets::SpriteSheet(n);
    Rows loop;
    for (int c = 0; c < 4; ++c) {
      for (int y = 0; y < kCellH; ++y) {
        EXPECT_EQ(s.At(c * kCellW, kCellH + y), kWhite) << n << "/" << c << " left edge " << y;
        EXPECT_EQ(s.At(c * kCellW + kCellW - 1, kCellH + y), kWhite) << n << "/" << c << " " << y;
      }
      for (int x = 0; x < kCellW; ++x) {
        EXPECT_EQ(s.At(c * kCellW + x, kCellH), kWhite) << n << "/" << c << " top edge " << x;
        EXPECT_EQ(s.At(c * kCellW + x, 2 * kCellH - 1), kWhite) << n << "/" << c << " " << x;
      }
      const Rows r = FigureRows(s, c);
      loop.top = std::min(loop.top, r.top);
      loop.bottom = std::max(loop.bottom, r.bottom);
    }
    switch (n) {
      case 0:
        EXPECT_EQ(loop.top, 18);
        EXPECT_EQ(loop.bottom, 96);
        break;
      case 2:
        EXPECT_EQ(loop.top, 16);
        EXPECT_EQ(loop.bottom, 113);
        break;
      case 6:
        EXPECT_EQ(loop.bottom, 116);
        break;
      default:  // the tall ones span nearly the whole cell
        EXPECT_LE(loop.top, 10) << n;
        EXPECT_GE(loop.bottom, 132) << n;
        EXPECT_LE(loop.bottom, 137) << n;
    }
  }
}

TEST(PicturesTest, TheFourFramesOfALoopDiffer) {
  for (int n = 0; n < assets::kCastSize; ++n) {
    const base::Surface& s = assets::SpriteSheet(n);
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        int differ = 0;
        for (int y = 0; y < kCellH; ++y) {
          for (int x = 0; x < kCellW; ++x) {
            differ += s.At(a * kCellW + x, y) != s.At(b * kCellW + x, y) ? 1 : 0;
          }
        }
        EXPECT_GT(differ, 20) << "sheet " << n << " frames " << a << " and " << b;
      }
    }
  }
}

TEST(PicturesTest, PointerIsFullyTransparent) {
  const base::Icon& p = assets::InvisiblePointer();
  EXPECT_EQ(CountTransparent(p), 32 * 32);
}

// The same rider in four jerseys: one silhouette, clear all round, and the
// introduction window's icon is the cyan one.
TEST(PicturesTest, CyclistsAreTransparentAroundRiderAndBicycle) {
  const base::Icon& first = assets::Cyclist(0);
  for (int i = 0; i < assets::kCyclists; ++i) {
    const base::Icon& c = assets::Cyclist(i);
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {1, 1}, {30, 1}}) {
      EXPECT_TRUE(Transparent(c, x, y)) << i << " at " << x << "," << y;
    }
    for (int k = 0; k < 32; ++k) {
      EXPECT_TRUE(Transparent(c, k, 0)) << i << " top row " << k;
    }
    const int clear = CountTransparent(c);
    EXPECT_GT(clear, 32 * 32 / 2) << i;
    EXPECT_LT(clear, 32 * 32 - 120) << i << ": hardly anything drawn";
    EXPECT_EQ(c.transparent, first.transparent) << i;
    if (i > 0) {
      EXPECT_NE(c.colour, first.colour) << i << ": jersey colour";
    }
  }
  EXPECT_EQ(assets::CyclistIcon().transparent, assets::Cyclist(1).transparent);
  EXPECT_EQ(assets::CyclistIcon().colour, assets::Cyclist(1).colour);
}

TEST(PicturesTest, IconsAndPicturesOnWhiteHaveTheirGround) {
  EXPECT_EQ(CountTransparent(assets::ProgramIcon()), 0);
  EXPECT_EQ(CountTransparent(assets::HelpIcon()), 0);
  const auto corners = [](const base::Surface& s) {
    return std::vector<Pixel>{s.At(0, 0), s.At(s.Width() - 1, 0), s.At(0, s.Height() - 1),
                              s.At(s.Width() - 1, s.Height() - 1)};
  };
  for (int n = 0; n < assets::kCastSize; ++n) {
    for (Pixel p : corners(assets::Portrait(n))) {
      EXPECT_EQ(p, kWhite) << "portrait " << n;
    }
  }
  for (Pixel p : corners(assets::DialogPicture())) {
    EXPECT_EQ(p, kWhite);
  }
  for (Pixel p : corners(assets::HelpIcon().colour)) {
    EXPECT_EQ(p, kWhite);
  }
  for (Pixel p : corners(assets::PreviewPicture())) {
    EXPECT_EQ(p, kBlack);
  }
  // The logo's ground is blue.
  const Pixel g = assets::Logo().At(0, 0);
  EXPECT_GT(g & 0xFF, (g >> 16) & 0xFF);
  // Each portrait shows a character: plenty of colour besides the white ground.
  for (int n = 0; n < assets::kCastSize; ++n) {
    const base::Surface& s = assets::Portrait(n);
    const auto drawn =
        std::count_if(s.Data(), s.Data() + 80 * 80, [](Pixel p) { return p != kWhite; });
    EXPECT_GT(drawn, 80 * 80 / 5) << "portrait " << n;
  }
}

TEST(PicturesTest, OnlyKnownPicturesAreBuiltIn) {
  std::set<std::string> expected{"dialog_cat.png",  "help_icon.png", "program_icon.png",
                                 "pointer.png",     "preview.png",   "logo.png",
                                 "cyclist_icon.png"};
  for (int n = 0; n < assets::kCastSize; ++n) {
    expected.insert("pat" + std::to_string(n) + ".png");
    expected.insert("portrait" + std::to_string(n) + ".png");
  }
  for (int i = 0; i < assets::kCyclists; ++i) {
    expected.insert("cyclist" + std::to_string(i) + ".png");
  }
  std::set<std::string> built;
  for (const assets::EmbeddedFile& f : assets::EmbeddedFiles()) {
    built.insert(std::string(f.name));
  }
  EXPECT_EQ(built, expected);
}

TEST(PicturesTest, BrokenOrMissingPicturesRaiseAnError) {
  const auto logo = assets::EmbeddedBytes("logo.png");
  EXPECT_EQ(ErrorOf([&] { assets::DecodePicture(logo, 50, 50, "logo"); }), 0);
  EXPECT_EQ(ErrorOf([&] { assets::DecodePicture(logo, 32, 32, "logo"); }), assets::kInvalidPicture);
  const std::vector<unsigned char> cut(logo.begin(), logo.begin() + logo.size() / 2);
  EXPECT_EQ(ErrorOf([&] { assets::DecodePicture(cut, 50, 50, "cut"); }), assets::kInvalidPicture);
  const std::vector<unsigned char> junk(64, 0x5A);
  EXPECT_EQ(ErrorOf([&] { assets::DecodePicture(junk, 50, 50, "junk"); }), assets::kInvalidPicture);
  EXPECT_EQ(ErrorOf([&] { assets::DecodePicture({}, 50, 50, "empty"); }), assets::kInvalidPicture);
  EXPECT_EQ(ErrorOf([] { assets::EmbeddedBytes("nothing.png"); }), assets::kInvalidPicture);
  EXPECT_EQ(ErrorOf([] { assets::SpriteSheet(7); }), base::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([] { assets::SpriteSheet(-1); }), base::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([] { assets::Portrait(7); }), base::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([] { assets::Cyclist(4); }), base::kSubscriptOutOfRange);
}
