#pragma once
// The process lives while one of its windows is open: every window the port
// creates for the program counts itself in while it exists, and the loop ends
// when the last one is gone.
#include <windows.h>

namespace quimbel::win32_port {

// A program window came into being / was destroyed. The last one out posts
// the quit message.
void WindowOpened();
void WindowClosed();
int OpenWindowCount();

// Windows whose keyboard works as in a dialog box (Tab, arrows, Enter and
// Space on buttons).
void RegisterDialogWindow(HWND window);
void UnregisterDialogWindow(HWND window);

// Hands one message to its window, through the dialog keyboard where it applies.
void DispatchOne(MSG& msg);

// Runs the message loop until the last window closed; returns the exit code.
// Returns at once when no window is open.
int RunMessageLoop();

}  // namespace quimbel::win32_port
