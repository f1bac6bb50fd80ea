// How an answer lands in the caller's reply buffer.
#include <gtest/gtest.h>

#include <string>

#include "platform/sound_service.hpp"

using namespace quimbel::platform;

TEST(SoundReplyTest, AnswerOverwritesTheStartAndKeepsTheRest) {
  std::string buffer(10, ' ');
  EXPECT_EQ(WriteSoundReply(buffer, 10, "stopped"), kSoundOk);
  EXPECT_EQ(buffer, std::string("stopped\0  ", 10));
  EXPECT_EQ(WriteSoundReply(buffer, 10, "on"), kSoundOk);
  EXPECT_EQ(buffer, std::string("on\0pped\0  ", 10));
}

TEST(SoundReplyTest, AnswerMustLeaveRoomForItsEnd) {
  std::string buffer(8, '-');
  EXPECT_EQ(WriteSoundReply(buffer, 8, "playing!"), kSoundParamOverflow);
  EXPECT_EQ(buffer, "--------") << "an answer that does not fit writes nothing";
  EXPECT_EQ(WriteSoundReply(buffer, 8, "playing"), kSoundOk);
  EXPECT_EQ(buffer, std::string("playing\0", 8));
  std::string none;
  EXPECT_EQ(WriteSoundReply(none, 0, ""), kSoundOk);
  EXPECT_EQ(WriteSoundReply(none, 0, "x"), kSoundParamOverflow);
  EXPECT_EQ(WriteSoundReply(none, 4, "ab"), kSoundOk) << "a short buffer grows to the length";
  EXPECT_EQ(none, std::string("ab\0 ", 4));
}
