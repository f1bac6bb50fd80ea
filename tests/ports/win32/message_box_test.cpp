// Message-box text: every kind of line break reaches the box as CR LF.
#include <gtest/gtest.h>

#include "ports/win32/message_box.hpp"

using quimbel::win32_port::WithCrLfBreaks;

TEST(Win32MessageBoxTest, LineBreaksBecomeCrLf) {
  EXPECT_EQ(WithCrLfBreaks("a\r\nb"), "a\r\nb");
  EXPECT_EQ(WithCrLfBreaks("a\rb"), "a\r\nb");
  EXPECT_EQ(WithCrLfBreaks("a\nb"), "a\r\nb");
  EXPECT_EQ(WithCrLfBreaks("a\r\rb\n"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(WithCrLfBreaks("設定を変更しますか？"), "設定を変更しますか？");
}
