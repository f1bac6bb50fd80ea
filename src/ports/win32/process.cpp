#include "ports/win32/process.hpp"

#include <windows.h>

#include <vector>

#include "ports/win32/message_box.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {

std::wstring_view ArgumentsAfterProgramName(std::wstring_view line) {
  // The C runtime's rule: the name runs to the first control character or
  // blank outside quotes; everything up to the next printable one is skipped.
  std::size_t i = 0;
  bool quoted = false;
  while (i < line.size() && (line[i] > L' ' || (quoted && line[i] != L'\0'))) {
    if (line[i] == L'"')
      quoted = !quoted;
    ++i;
  }
  while (i < line.size() && line[i] <= L' ')
    ++i;
  return line.substr(i);
}

std::wstring DirectoryOf(std::wstring_view modulePath) {
  std::size_t slash = modulePath.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos)
    return std::wstring(modulePath);
  // "C:\quimbel.scr" lives in "C:\", whose separator is part of its name.
  if (slash == 2 && modulePath.size() > 2 && modulePath[1] == L':')
    return std::wstring(modulePath.substr(0, 3));
  return std::wstring(modulePath.substr(0, slash));
}

std::string Win32Process::CommandLine() {
  const wchar_t* line = GetCommandLineW();
  return Narrow(ArgumentsAfterProgramName(line != nullptr ? line : L""));
}

std::string Win32Process::ExecutableDirectory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      return {};
    if (n < buffer.size())
      return Narrow(DirectoryOf(std::wstring_view(buffer.data(), n)));
    // Long paths (\\?\...) do not fit MAX_PATH: grow and ask again.
    if (buffer.size() >= 32768)
      return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool Win32Process::TopLevelWindowExists(std::string_view title) {
  std::wstring wide = Widen(title);
  return FindWindowW(nullptr, wide.c_str()) != nullptr;
}

void Win32Process::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave it for the main loop, which ends the process on it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchOne(msg);
  }
}

void Win32Process::EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

void Win32Process::ReportUntrappedError(const std::string& text, const std::string& caption) {
  // No other owner: the report may come when no window of ours is left.
  ShowMessageBox(Widen(text), Widen(caption), MB_OK | MB_ICONERROR | MB_SETFOREGROUND, nullptr);
}

}  // namespace quimbel::win32_port
