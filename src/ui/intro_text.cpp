#include <array>

#include "ui/texts.hpp"

namespace quimbel::ui {
namespace {

const std::array<const char*, 28> kTitles = {
    "　　　　　　　　作者ソフト一覧",
    "",
    "１．スクリーンセイバー",
    "　①くいんべる　スクリーンセイバー",
    "　②ほしぞらトロッコ",
    "　③すいそうの朝",
    "　④ペンギン行進曲",
    "",
    "２．ゲーム",
    "　①まいごのカタツムリ",
    "　②トランプ城の冒険",
    "　③パズルでポン",
    "　④そらとぶ郵便屋さん",
    "　⑤ねずみ花火",
    "",
    "３．ユーティリティ",
    "　①かんたん付箋メモ",
    "　②ファイルおそうじ名人",
    "　③らくらく時間割",
    "　④ねこの目覚まし時計",
    "",
    "４．壁紙・アイコン集",
    "　①季節の壁紙コレクション",
    "　②どうぶつアイコン集",
    "　③ドット絵フォント",
    "",
    "　どのソフトも、下のホームページから",
    "ダウンロード出来ます。",
};

}  // namespace

std::string IntroTitles() {
  std::string text;
  for (const char* line : kTitles) {
    text += line;
    text += kCrLf;
  }
  return text;
}

std::string IntroAddress() {
  return std::string("http://www.example.com/quimbel/") + kCrLf;
}

}  // namespace quimbel::ui
