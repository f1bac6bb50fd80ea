#include "ports/win32/sound_service.hpp"

#include <windows.h>
// Needs the types of windows.h before it.
#include <mmsystem.h>

#include <cwchar>
#include <string>

#include "ports/win32/message_box.hpp"
#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {
namespace {

// The service's own text for a code, or a plain one when it has none.
std::wstring ErrorText(std::uint32_t code) {
  wchar_t text[256] = {};
  if (mciGetErrorStringW(code, text, static_cast<UINT>(std::size(text))) && text[0] != L'\0')
    return text;
  std::swprintf(text, std::size(text), L"MCI error %u", static_cast<unsigned>(code));
  return text;
}

// The box the platform shows for a failed command: above the saver while it
// runs, else modal to the whole program.
void ShowFailure(const std::string& command, std::uint32_t, const std::wstring& text) {
  ShowMessageBox(text, Widen(command), MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL, nullptr);
}

}  // namespace

WinmmSoundService::WinmmSoundService() : report_(ShowFailure) {}

std::uint32_t WinmmSoundService::Send(std::string_view command, std::string* reply,
                                      std::size_t replyLength) {
  std::wstring wide = Widen(command);
  if (reply == nullptr)
    return mciSendStringW(wide.c_str(), nullptr, 0, nullptr);
  // The service writes its answer into a wide buffer of the same length; an
  // empty one it cannot use at all.
  std::wstring answer(replyLength > 0 ? replyLength : 1, L'\0');
  MCIERROR code =
      mciSendStringW(wide.c_str(), answer.data(), static_cast<UINT>(replyLength), nullptr);
  if (code != 0)
    return code;
  answer.resize(std::wcslen(answer.c_str()));
  return platform::WriteSoundReply(*reply, replyLength, Narrow(answer));
}

bool WinmmSoundService::Execute(std::string_view command) {
  MCIERROR code = mciSendStringW(Widen(command).c_str(), nullptr, 0, nullptr);
  if (code == 0)
    return true;
  // The report may run a modal loop whose timers send more commands: one
  // box at a time, or a failing restart would stack a new one every poll.
  if (report_ && !reporting_) {
    reporting_ = true;
    report_(std::string(command), code, ErrorText(code));
    reporting_ = false;
  }
  return false;
}

}  // namespace quimbel::win32_port
