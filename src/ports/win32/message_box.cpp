#include "ports/win32/message_box.hpp"

#include <windows.h>

#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {

std::string WithCrLfBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

int Win32MessageBoxes::Show(const std::string& text, const std::string& caption, int flags,
                            const std::string&, int) {
  // No help file ships with the program, so there is no Help button to offer.
  std::wstring wideText = Widen(WithCrLfBreaks(text));
  std::wstring wideCaption = Widen(caption);
  return MessageBoxW(GetActiveWindow(), wideText.c_str(), wideCaption.c_str(),
                     static_cast<UINT>(flags));
}

}  // namespace quimbel::win32_port
