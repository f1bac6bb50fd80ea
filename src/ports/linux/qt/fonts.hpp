#pragma once
// The Japanese system faces the windows ask for, mapped to installed ones.

namespace quimbel::linux_port {

// Asked by name, fontconfig mixes faces glyph by glyph; a substitution gives
// the whole text one face. Call once the QApplication exists.
void SubstituteJapaneseFonts();

}  // namespace quimbel::linux_port
