// Loaded into the program under test by a window hook: reads what another
// process cannot read under Wine (menus, fonts) inside the program's own GUI
// thread and writes it to a file the driver reads. It can also send sound
// commands as the program (a device's alias belongs to its process), to put
// the program's tune into a state that a real device may reach.
//
// Dump lines, UTF-8:  menu <depth> <id> <caption>
//                     control <class> <left> <top> <width> <height> <face> <height> <weight>
//                     <charset> <text>
// Sound: one command a line in quimbel-e2e-sound.txt; their codes and
// replies, one command a line, in quimbel-e2e-sound-codes.txt. The line
// "?pointer" answers "arrow" while the program shows the default pointer.
// Power: the system's power-setting broadcast for the displays, which only a
// thread of the program can send with its setting: wParam the value, lParam
// 1 for the older monitor-power setting.
#include <windows.h>
// Needs the types of windows.h before it.
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1)
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

void DumpMenu(FILE* f, HMENU menu, int depth) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    UINT id = sub != nullptr ? 0 : GetMenuItemID(menu, i);
    std::fprintf(f, "menu %d %u %s\n", depth, id, Utf8(text).c_str());
    if (sub != nullptr)
      DumpMenu(f, sub, depth + 1);
  }
}

struct DumpContext {
  FILE* file;
  HWND root;
};

BOOL CALLBACK DumpChild(HWND child, LPARAM param) {
  auto* context = reinterpret_cast<DumpContext*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  wchar_t text[512] = {};
  GetWindowTextW(child, text, 512);
  RECT r{};
  GetWindowRect(child, &r);
  POINT topLeft{r.left, r.top};
  ScreenToClient(GetParent(child), &topLeft);
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  if (font != nullptr)
    GetObjectW(font, sizeof(lf), &lf);
  std::string face = font != nullptr ? Utf8(lf.lfFaceName) : "-";
  for (char& c : face) {
    if (c == ' ')
      c = '_';
  }
  std::string line = Utf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n')
      c = '|';
  }
  std::fprintf(context->file, "control %s %ld %ld %ld %ld %s %ld %ld %d %s\n", Utf8(cls).c_str(),
               topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top, face.c_str(),
               static_cast<long>(lf.lfHeight), static_cast<long>(lf.lfWeight),
               static_cast<int>(lf.lfCharSet), line.c_str());
  return TRUE;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, path);
  return std::wstring(path, n) + name;
}

void SendSoundCommands() {
  FILE* in = _wfopen(TempFile(L"quimbel-e2e-sound.txt").c_str(), L"rb");
  FILE* out = _wfopen(TempFile(L"quimbel-e2e-sound-codes.txt").c_str(), L"wb");
  char line[1024];
  while (in != nullptr && out != nullptr && std::fgets(line, sizeof(line), in) != nullptr) {
    std::string command(line);
    while (!command.empty() && (command.back() == '\n' || command.back() == '\r'))
      command.pop_back();
    std::wstring wide(command.size(), L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, command.data(), static_cast<int>(command.size()),
                                wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    wchar_t reply[128] = {};
    MCIERROR code = 0;
    if (command == "?pointer") {
      // Not a sound command: which pointer the program's thread shows.
      lstrcpyW(reply, GetCursor() == LoadCursorW(nullptr, IDC_ARROW) ? L"arrow" : L"other");
    } else {
      code = mciSendStringW(wide.c_str(), reply, 128, nullptr);
    }
    std::fprintf(out, "%lu %s\n", static_cast<unsigned long>(code), Utf8(reply).c_str());
  }
  if (in != nullptr)
    std::fclose(in);
  if (out != nullptr)
    std::fclose(out);
}

void SendDisplayPower(HWND window, WPARAM value, LPARAM older) {
  // GUID_CONSOLE_DISPLAY_STATE and GUID_MONITOR_POWER_ON.
  static const GUID kConsole = {
      0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  static const GUID kMonitor = {
      0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
  // The setting's data follows its header: room for a DWORD.
  alignas(POWERBROADCAST_SETTING) unsigned char buffer[sizeof(POWERBROADCAST_SETTING) + 4] = {};
  auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer);
  setting->PowerSetting = older != 0 ? kMonitor : kConsole;
  setting->DataLength = sizeof(DWORD);
  const DWORD data = static_cast<DWORD>(value);
  std::memcpy(setting->Data, &data, sizeof(data));
  SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
               reinterpret_cast<LPARAM>(setting));
}

void Dump(HWND window) {
  std::wstring file = TempFile(L"quimbel-e2e-dump.txt");
  FILE* f = _wfopen(file.c_str(), L"wb");
  if (f == nullptr)
    return;
  if (HMENU bar = GetMenu(window))
    DumpMenu(f, bar, 0);
  DumpContext context{f, window};
  EnumChildWindows(window, DumpChild, reinterpret_cast<LPARAM>(&context));
  std::fclose(f);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    QuimbelE2eHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT dumpMessage = RegisterWindowMessageW(L"QuimbelE2eDump");
  static const UINT soundMessage = RegisterWindowMessageW(L"QuimbelE2eSound");
  static const UINT powerMessage = RegisterWindowMessageW(L"QuimbelE2ePower");
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == dumpMessage)
      Dump(message->hwnd);
    else if (message->message == soundMessage)
      SendSoundCommands();
    else if (message->message == powerMessage)
      SendDisplayPower(message->hwnd, message->wParam, message->lParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
