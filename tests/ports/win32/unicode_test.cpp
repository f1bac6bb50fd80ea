// UTF-8 <-> UTF-16 at the port's edge: Japanese text, half-width kana and
// characters outside the basic plane arrive unchanged; broken input is marked.
#include <gtest/gtest.h>

#include "ports/win32/unicode.hpp"

using namespace quimbel::win32_port;

TEST(UnicodeTest, RoundTripsJapaneseAndAstralText) {
  const std::string samples[] = {
      "",           "Saver Setting",   "くいんべる　スクリーンセイバー",
      "終了(&X&ｻ)", "ＭＳ Ｐゴシック", "\xF0\x9F\x90\x88 cat"};  // U+1F408 needs a surrogate pair
  for (const std::string& s : samples)
    EXPECT_EQ(Narrow(Widen(s)), s);
  EXPECT_EQ(Widen("くいんべる"), L"\u304f\u3044\u3093\u3079\u308b");
  EXPECT_EQ(Widen("\xF0\x9F\x90\x88").size(), 2u);
}

TEST(UnicodeTest, MalformedInputBecomesReplacementCharacters) {
  std::wstring wide = Widen(
      "a\xFF"
      "b");
  EXPECT_EQ(wide.front(), L'a');
  EXPECT_EQ(wide.back(), L'b');
  EXPECT_NE(wide.find(L'\xFFFD'), std::wstring::npos);
  std::string narrow = Narrow(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"x");
  EXPECT_EQ(narrow, "\xEF\xBF\xBDx");
}
