#include "ports/linux/qt/fonts.hpp"

#include <QFont>

namespace quimbel::linux_port {

void SubstituteJapaneseFonts() {
  QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("Noto Serif CJK JP"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP"));
}

}  // namespace quimbel::linux_port
