#include "driver.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace e2e {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty())
    return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty())
    return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring BuildDirectory() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L"\\/"));
}

Program::Program(const std::wstring& arguments) {
  std::wstring exe = BuildDirectory() + L"\\quimbel.scr";
  std::wstring line = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &info_)) {
    info_ = {};
  }
}

Program::~Program() {
  if (info_.hProcess != nullptr) {
    if (Running()) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 2000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool Program::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(int ms) {
  return info_.hProcess != nullptr &&
         WaitForSingleObject(info_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

DWORD Program::exitCode() const {
  DWORD code = 12345;
  if (info_.hProcess != nullptr)
    GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

int Program::MillisecondsUntilExit(int limitMs) {
  DWORD start = GetTickCount();
  if (!WaitForExit(limitMs))
    return -1;
  return static_cast<int>(GetTickCount() - start);
}

void Pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

HWND WaitForWindow(const std::string& title, int ms) {
  std::wstring wide = Wide(title);
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    if (HWND w = FindWindowW(nullptr, wide.c_str()))
      return w;
    Pump(20);
  } while (static_cast<int>(end - GetTickCount()) > 0);
  return nullptr;
}

namespace {

struct ProcessWindowSearch {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<ProcessWindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  if (pid == search->pid && lstrcmpW(cls, search->className) == 0 && IsWindowVisible(w)) {
    search->found = w;
    return FALSE;
  }
  return TRUE;
}

void Collect(HWND parent, std::vector<ChildInfo>& out) {
  for (HWND w = GetWindow(parent, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    ChildInfo info{};
    info.hwnd = w;
    info.parent = parent;
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    info.className = Utf8(cls);
    wchar_t text[1024] = {};
    SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                        nullptr);
    info.text = Utf8(text);
    RECT r;
    GetWindowRect(w, &r);
    POINT topLeft{r.left, r.top};
    ScreenToClient(parent, &topLeft);
    info.rect = {topLeft.x, topLeft.y, topLeft.x + (r.right - r.left),
                 topLeft.y + (r.bottom - r.top)};
    info.style = GetWindowLongW(w, GWL_STYLE);
    out.push_back(info);
    Collect(w, out);
  }
}

}  // namespace

HWND WaitForProcessWindow(DWORD pid, const wchar_t* className, int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    ProcessWindowSearch search{pid, className, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr)
      return search.found;
    Pump(20);
  } while (static_cast<int>(end - GetTickCount()) > 0);
  return nullptr;
}

std::vector<ChildInfo> Children(HWND window) {
  // GW_CHILD walks the z-order; creation order is its reverse for windows
  // that never changed their order.
  std::vector<ChildInfo> out;
  Collect(window, out);
  return out;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

SIZE WaitForClientSize(HWND window, int width, int height, int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  SIZE size = ClientSize(window);
  while ((size.cx != width || size.cy != height) && static_cast<int>(end - GetTickCount()) > 0) {
    Pump(20);
    size = ClientSize(window);
  }
  return size;
}

namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp, n) + name;
}

// Has the hook DLL, loaded into the window's thread, handle one registered
// message there; returns once it was handled.
void CallInside(HWND window, const wchar_t* messageName, WPARAM wParam = 0, LPARAM lParam = 0) {
  std::wstring dll = BuildDirectory() + L"\\quimbel_e2e_hook.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  if (module == nullptr)
    return;
  auto proc =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "QuimbelE2eHook")));
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, module, thread);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, RegisterWindowMessageW(messageName), wParam, lParam, SMTO_ABORTIFHUNG,
                      3000, &ignored);
  UnhookWindowsHookEx(hook);
  FreeLibrary(module);
}

}  // namespace

std::vector<SoundResult> SendSoundCommands(HWND window, const std::vector<std::string>& commands) {
  std::wstring in = TempFile(L"quimbel-e2e-sound.txt");
  std::wstring out = TempFile(L"quimbel-e2e-sound-codes.txt");
  DeleteFileW(out.c_str());
  {
    std::ofstream file(in.c_str(), std::ios::binary);
    for (const std::string& command : commands)
      file << command << "\n";
  }
  CallInside(window, L"QuimbelE2eSound");
  std::vector<SoundResult> results;
  std::ifstream file(out.c_str(), std::ios::binary);
  SoundResult result;
  while (file >> result.code) {
    file.get();
    std::getline(file, result.reply);
    results.push_back(result);
  }
  return results;
}

void DeliverDisplayPower(HWND window, DWORD value, bool monitorPowerOn) {
  CallInside(window, L"QuimbelE2ePower", value, monitorPowerOn ? 1 : 0);
}

Dump ReadInside(HWND window) {
  Dump dump;
  std::wstring file = TempFile(L"quimbel-e2e-dump.txt");
  DeleteFileW(file.c_str());
  CallInside(window, L"QuimbelE2eDump");

  std::ifstream in(file.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "menu") {
      MenuEntry m{};
      fields >> m.depth >> m.id;
      fields.get();
      std::getline(fields, m.caption);
      dump.menus.push_back(m);
    } else if (kind == "control") {
      ControlFont c{};
      fields >> c.className >> c.left >> c.top >> c.width >> c.height >> c.face >> c.fontHeight >>
          c.weight >> c.charset;
      fields.get();
      std::getline(fields, c.text);
      for (char& ch : c.face) {
        if (ch == '_')
          ch = ' ';
      }
      dump.controls.push_back(c);
    }
  }
  return dump;
}

void Click(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

void PickListEntry(HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void ChooseMenu(HWND window, UINT id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::string AnswerMessageBox(DWORD pid, int buttonId, std::string* caption, bool* defaultIsNo) {
  HWND box = WaitForProcessWindow(pid, L"#32770", 5000);
  if (box == nullptr)
    return {};
  std::string text;
  for (const ChildInfo& c : Children(box)) {
    if (c.className == "Static" && !c.text.empty())
      text += (text.empty() ? "" : "\n") + c.text;
  }
  if (caption != nullptr) {
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    *caption = Utf8(title);
  }
  if (defaultIsNo != nullptr) {
    // The box answers DM_GETDEFID with 1 whatever its default under Wine:
    // the default button carries BS_DEFPUSHBUTTON.
    HWND no = GetDlgItem(box, IDNO);
    *defaultIsNo = no != nullptr && (GetWindowLongW(no, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  }
  HWND button = GetDlgItem(box, buttonId);
  if (button != nullptr)
    PostMessageW(button, BM_CLICK, 0, 0);
  return text.empty() ? std::string(" ") : text;
}

namespace {
const wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\SetupQor\\QuimbelSaver";
}

std::string StoredSetting(const std::string& key) {
  wchar_t data[256] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, Wide(key).c_str(), RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return Utf8(data);
}

void ClearSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\SetupQor");
}

void StoreSetting(const std::string& key, const std::string& value) {
  HKEY k = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                  nullptr);
  std::wstring v = Wide(value);
  RegSetValueExW(k, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                 static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

Shot CaptureScreen(int x, int y, int width, int height) {
  Shot shot;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
  GdiFlush();
  shot.width = width;
  shot.height = height;
  shot.pixels.assign(static_cast<const DWORD*>(bits),
                     static_cast<const DWORD*>(bits) + static_cast<size_t>(width) * height);
  for (DWORD& p : shot.pixels)
    p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(dib);
  return shot;
}

void SaveShot(const Shot& shot, const std::string& name) {
  const char* dir = std::getenv("QUIMBEL_ARTIFACTS");
  if (dir == nullptr || shot.width == 0)
    return;
  std::string path = std::string(dir) + "\\" + name + ".bmp";
  FILE* f = _wfopen(Wide(path).c_str(), L"wb");
  if (f == nullptr)
    return;
  DWORD imageSize = static_cast<DWORD>(shot.pixels.size() * 4);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  fh.bfSize = fh.bfOffBits + imageSize;
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof(ih);
  ih.biWidth = shot.width;
  ih.biHeight = -shot.height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  std::fwrite(&fh, sizeof(fh), 1, f);
  std::fwrite(&ih, sizeof(ih), 1, f);
  std::fwrite(shot.pixels.data(), 4, shot.pixels.size(), f);
  std::fclose(f);
}

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

}  // namespace e2e
