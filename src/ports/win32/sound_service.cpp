#include "ports/win32/sound_service.hpp"

#include <windows.h>
// Needs the types of windows.h before it.
#include <mmsystem.h>

#include <cwchar>
#include <string>

#include "ports/win32/unicode.hpp"

namespace quimbel::win32_port {
namespace {

constexpr std::size_t kRoomBeyondReply = 16;

}  // namespace

std::uint32_t WinmmSoundService::Send(std::string_view command, std::string* reply,
                                      std::size_t replyLength) {
  std::wstring wide = Widen(command);
  if (reply == nullptr)
    return mciSendStringW(wide.c_str(), nullptr, 0, nullptr);
  // Wine cuts an answer to the buffer instead of failing: in a wide buffer
  // larger than the caller's, an answer that does not fit there still shows
  // as too long, and WriteSoundReply refuses it as Windows does.
  std::wstring answer(replyLength + kRoomBeyondReply, L'\0');
  MCIERROR code =
      mciSendStringW(wide.c_str(), answer.data(), static_cast<UINT>(answer.size()), nullptr);
  if (code != 0)
    return code;
  answer.resize(std::wcslen(answer.c_str()));
  return platform::WriteSoundReply(*reply, replyLength, Narrow(answer));
}

std::string WinmmSoundService::ErrorText(std::uint32_t code) {
  wchar_t text[256] = {};
  if (mciGetErrorStringW(code, text, static_cast<UINT>(std::size(text))) && text[0] != L'\0')
    return Narrow(text);
  // The service has no words for it: a plain one.
  return "MCI error " + std::to_string(code);
}

}  // namespace quimbel::win32_port
