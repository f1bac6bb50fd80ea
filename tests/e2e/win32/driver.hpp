#pragma once
// Drives the real quimbel.scr from outside, as a user and the system would:
// starts it, finds its windows, reads and clicks its controls, answers its
// message boxes, reads the registry and takes screenshots from the screen.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A started program: its process, which the destructor ends if still running.
class Program {
 public:
  explicit Program(const std::wstring& arguments);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const;
  // Waits up to ms for the end; true when it ended. exitCode() is valid then.
  bool WaitForExit(int ms);
  DWORD exitCode() const;
  DWORD pid() const { return info_.dwProcessId; }
  // The time between the call and the process's end, in ms (-1: not within limitMs).
  int MillisecondsUntilExit(int limitMs);

 private:
  PROCESS_INFORMATION info_{};
};

// The directory that holds the driver, quimbel.scr and the hook DLL.
std::wstring BuildDirectory();

// Waits up to ms for a top-level window with this exact title (any class).
HWND WaitForWindow(const std::string& title, int ms = 5000);
// A top-level window of the given process and class ("#32770": message box).
HWND WaitForProcessWindow(DWORD pid, const wchar_t* className, int ms = 5000);

struct ChildInfo {
  HWND hwnd;
  std::string className;  // "Static", "Button", "ComboBox", "Edit", "QuimbelPanel", ...
  std::string text;
  RECT rect;  // relative to the parent's client area
  LONG style;
  HWND parent;
};
// Every descendant window, in creation order, depth first.
std::vector<ChildInfo> Children(HWND window);
// The client rectangle's size.
SIZE ClientSize(HWND window);
// The client size once it is width x height, or as it is when ms have passed:
// a window is found by its title before the program has laid it out.
SIZE WaitForClientSize(HWND window, int width, int height, int ms = 5000);

// What the hook reads inside the program.
struct MenuEntry {
  int depth;
  UINT id;
  std::string caption;
};
struct ControlFont {
  std::string className, face, text;
  int left, top, width, height;
  long fontHeight, weight;
  int charset;
};
struct Dump {
  std::vector<MenuEntry> menus;
  std::vector<ControlFont> controls;
};
Dump ReadInside(HWND window);
// Sends sound command strings as the program does, inside its GUI thread;
// returns their result codes (0: done) and replies. "?pointer" answers
// "arrow" while the program's pointer is the default one.
struct SoundResult {
  unsigned long code = 0;
  std::string reply;
};
std::vector<SoundResult> SendSoundCommands(HWND window, const std::vector<std::string>& commands);

// Delivers to the window, inside its thread, the power-setting broadcast the
// system sends when the displays' power changes (Wine sends none):
// GUID_CONSOLE_DISPLAY_STATE with value (0 off, 1 on, 2 dimmed), or with
// monitorPowerOn the older GUID_MONITOR_POWER_ON.
void DeliverDisplayPower(HWND window, DWORD value, bool monitorPowerOn = false);
// User actions. Posted, so that a modal box they open does not block us.
void Click(HWND button);
void PickListEntry(HWND combo, int index);
void ChooseMenu(HWND window, UINT id);
// Answers the message box of the process with the button of this id (IDYES,
// IDNO, IDOK). Returns the box's text, or empty if none came.
std::string AnswerMessageBox(DWORD pid, int buttonId, std::string* caption = nullptr,
                             bool* defaultIsNo = nullptr);

// The registry values of the program's settings ("" when absent).
std::string StoredSetting(const std::string& key);
void ClearSettings();
void StoreSetting(const std::string& key, const std::string& value);

// Screen pixels, read through the screen device context (an X-side capture
// shows popup menus black).
struct Shot {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB
  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// A colour as a Shot holds it.
inline DWORD Rgb(COLORREF c) {
  return (static_cast<DWORD>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
Shot CaptureScreen(int x, int y, int width, int height);
// Saves a capture as a BMP under the artefacts directory (QUIMBEL_ARTIFACTS).
void SaveShot(const Shot& shot, const std::string& name);

// Lets the message queue of this thread run for ms.
void Pump(int ms);

int ScreenDpi();

}  // namespace e2e
