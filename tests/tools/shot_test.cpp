// quimbel-shot end to end: the program is run as a user runs it, and the PNG
// it writes is read back with the program's own picture decoder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/png_decoder.hpp"
#include "ports/headless/shot.hpp"

namespace {

using quimbel::base::Surface;

Surface RunProgramAndDecode(const std::string& args, int width, int height) {
  std::filesystem::path out =
      std::filesystem::temp_directory_path() /
      ("quimbel-shot-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       ".png");
  std::filesystem::remove(out);
  std::string command =
      std::string(QUIMBEL_SHOT_PROGRAM) + " " + args + " " + out.string() + " >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(out, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  std::filesystem::remove(out);
  // Throws when the bytes do not decode or the size is not width x height.
  return quimbel::assets::DecodePicture(bytes, width, height, "shot").colour;
}

TEST(QuimbelShot, WritesTheFrameOfTheRunAsAPngTheDecoderReads) {
  // Large enough for several stored deflate blocks; over black, so every
  // lit pixel is a character.
  Surface black =
      RunProgramAndDecode("--ticks 60 --size 331x217 --saver-type 2 --cara-count 12", 331, 217);
  int lit = 0;
  for (int y = 0; y < black.Height(); ++y)
    for (int x = 0; x < black.Width(); ++x)
      lit += black.At(x, y) != quimbel::base::kBlack ? 1 : 0;
  EXPECT_GT(lit, black.Width() * black.Height() / 50) << "characters are drawn";

  // Pixel for pixel the frame the same run shows in this process: rows,
  // channel order and every colour survive the file.
  std::string error;
  quimbel::headless::ShotOptions o;
  o.ticks = 60;
  o.width = 331;
  o.height = 217;
  o.saverType = 2;
  o.caraCount = 12;
  EXPECT_EQ(black, quimbel::headless::RunShot(o, error)) << error;

  // On a 200 % display of the same physical size the same run, each pixel
  // of it a 2 x 2 block (over black, the whole frame).
  Surface dense = RunProgramAndDecode(
      "--ticks 60 --size 662x434 --dpi 192 --saver-type 2 --cara-count 12", 662, 434);
  int differing = 0;
  for (int y = 0; y < dense.Height(); ++y)
    for (int x = 0; x < dense.Width(); ++x)
      differing += dense.At(x, y) != black.At(x / 2, y / 2) ? 1 : 0;
  EXPECT_EQ(differing, 0);

  o.saverType = 1;
  o.caraType = 3;
  o.ticks = 40;
  Surface desktop = RunProgramAndDecode(
      "--ticks 40 --size 331x217 --saver-type 1 --cara-type 3 --cara-count 12", 331, 217);
  EXPECT_EQ(desktop, quimbel::headless::RunShot(o, error)) << error;
  Surface background = quimbel::headless::MadeUpDesktop(331, 217);
  int same = 0;
  for (int y = 0; y < desktop.Height(); ++y)
    for (int x = 0; x < desktop.Width(); ++x)
      same += desktop.At(x, y) == background.At(x, y) ? 1 : 0;
  const int all = desktop.Width() * desktop.Height();
  EXPECT_GT(same, all / 5) << "the made-up desktop lies under the cast";
  EXPECT_LT(same, all - all / 50) << "characters are drawn over it";
}

TEST(QuimbelShot, RefusesBadArgumentsWithoutWritingAFile) {
  std::filesystem::path out = std::filesystem::temp_directory_path() /
                              ("quimbel-shot-refused-" + std::to_string(getpid()) + ".png");
  std::filesystem::remove(out);
  for (const char* args :
       {"--size 0x10", "--saver-type 4", "--cara-count 51", "--dpi 47", "--ticks", ""}) {
    std::string command = std::string(QUIMBEL_SHOT_PROGRAM) + " " + args + " " +
                          (args[0] != '\0' ? out.string() : "") + " 2>/dev/null";
    int status = std::system(command.c_str());
    EXPECT_NE(status, 0) << args;
    EXPECT_FALSE(std::filesystem::exists(out)) << args;
  }
}

}  // namespace
