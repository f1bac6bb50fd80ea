// How an answer lands in a reply buffer at its edges; the ordinary case is
// checked against every port by the sound service conformance suite.
#include <gtest/gtest.h>

#include <string>

#include "platform/sound_service.hpp"

using namespace quimbel::platform;

TEST(SoundReplyTest, EmptyAndShortBuffers) {
  std::string none;
  EXPECT_EQ(WriteSoundReply(none, 0, ""), kSoundOk);
  EXPECT_EQ(WriteSoundReply(none, 0, "x"), kSoundParamOverflow);
  EXPECT_EQ(WriteSoundReply(none, 4, "ab"), kSoundOk) << "a short buffer grows to the length";
  EXPECT_EQ(none, std::string("ab\0 ", 4));
}
