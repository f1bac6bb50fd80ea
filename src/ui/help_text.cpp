#include <algorithm>
#include <array>
#include <string>

#include "assets/pictures.hpp"
#include "ui/texts.hpp"

namespace quimbel::ui {
namespace {

const std::array<const char*, 3> kIntroduction = {
    "　くいんべるスクリーンセイバーは、デスクトップの上を小さなキャラたちが",
    "行ったり来たりするスクリーンセイバーです。キャラたちは、このソフトのた",
    "めに描き下ろしたオリジナルです。どうぞお楽しみ下さい。",
};

const std::array<const char*, 17> kSettingsSection = {
    "■設定について",
    "①スクリーンセイバータイプ",
    "　次の３つのタイプが選択出来ます。",
    "　デスクトップ１…現在表示されているデスクトップを背景とするタイプで時々黒い影を作ります。",
    "　ブラック　　　…背景をプラックにするタイプです。",
    "　デスクトップ２…デスクトップ１と同じですが、黒い影を作らないタイプです。",
    "②ミュージック",
    "　ＷＡＶかＭＩＤを設定画面で選択します。quimbel.wav（or quimbel.mid）という名前の音楽ファイ",
    "ルが、quimbel.scrと同じフォルダーにあれば、その音楽をＢＧＭとして、自動的に鳴らします。",
    "③キャラの数",
    "　キャラの数を、５から５０の範囲で設定出来ます。",
    "④キャラの種類",
    "　キャラをコンボボックスから選択出来ます。又、起動時に何が出てくるかわからない（ランダム）と全"
    "て表示する",
    "（オールキャスト）も設定出来ます。",
    "⑤注意事項",
    "　デスクトップ２のタイプ又はキャラの数を少なくした場合には、スクリーンセイバーの機能が低下する"
    "恐れがある",
    "のでご注意下さい。",
};

const std::array<const char*, assets::kCastSize> kCastDescriptions = {
    "昔の貴族の血を引く、気品あふれるネコ。",
    "鼻の大きなフランス人。ちょっとこわい。",
    "ロボットの犬。だいぶくたびれている。",
    "ウサギとコアラのあいのこ。葉っぱを食べると百人力。",
    "バレリーナ。",
    "ダイナマイト・ガール。",
    "国際派のビジネスマン。",
};

const std::array<const char*, 4> kClosing = {
    "■おわりに",
    "　ご意見、ご感想をお待ちしています。連絡先はソフト紹介の画面をご覧下さい。",
    "",
    "くいんべる　スクリーンセイバー Ver1.40  Copyright (C) Quimbel Works.",
};

// Every character of the cast's names is full-width (three bytes in UTF-8),
// so the display width in full-width characters is a count of code points.
std::size_t CodePoints(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80)
      ++count;
  }
  return count;
}

template <std::size_t N>
void AppendLines(std::string& text, const std::array<const char*, N>& lines) {
  for (const char* line : lines) {
    text += line;
    text += kCrLf;
  }
}

}  // namespace

std::string HelpText() {
  std::string text;
  AppendLines(text, kIntroduction);
  text += kCrLf;
  AppendLines(text, kSettingsSection);
  text += kCrLf;
  text += "■キャラについて";
  text += kCrLf;
  std::size_t longest = 0;
  for (const char* name : kCastNames)
    longest = std::max(longest, CodePoints(name));
  for (std::size_t n = 0; n < kCastNames.size(); ++n) {
    std::string name = kCastNames[n];
    text += "　" + name;
    for (std::size_t pad = CodePoints(name); pad < longest; ++pad)
      text += "　";
    text += "…";
    text += kCastDescriptions[n];
    text += kCrLf;
  }
  text += kCrLf;
  AppendLines(text, kClosing);
  return text;
}

}  // namespace quimbel::ui
