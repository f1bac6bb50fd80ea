#pragma once
// The X connection Qt's windows are made on, for the X11 part's requests
// about those windows.
struct _XDisplay;

namespace quimbel::linux_port {

// Nothing without a Qt GUI application or when Qt does not run on X11.
_XDisplay* QtX11Display();

}  // namespace quimbel::linux_port
