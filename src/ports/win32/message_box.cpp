#include "ports/win32/message_box.hpp"

#include <windows.h>

#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {
namespace {

// One GUI thread: no lock needed.
HWND boxOwner = nullptr;
int boxesOpen = 0;

}  // namespace

void SetBoxOwner(HWND window) {
  boxOwner = window;
}

bool MessageBoxOpen() {
  return boxesOpen > 0;
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags,
                   HWND otherOwner) {
  HWND owner = otherOwner;
  if (boxOwner != nullptr && IsWindow(boxOwner)) {
    // Owned by the topmost saver and topmost itself, it lies above the saver
    // and takes the keyboard; the saver is disabled until it closes. Its
    // pointer shows, where the saver's is invisible.
    owner = boxOwner;
    flags =
        (flags & ~static_cast<UINT>(MB_TASKMODAL | MB_SYSTEMMODAL)) | MB_TOPMOST | MB_SETFOREGROUND;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
  ++boxesOpen;
  int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
  --boxesOpen;
  return answer;
}

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
  return ShowMessageBox(wideText, wideCaption, static_cast<UINT>(flags), GetActiveWindow());
}

}  // namespace quimbel::win32_port
