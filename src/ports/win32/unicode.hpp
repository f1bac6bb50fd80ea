#pragma once
// The core speaks UTF-8; every Win32 call that takes text gets UTF-16.
#include <string>
#include <string_view>

namespace quimbel::win32_port {

// UTF-8 to UTF-16. Ill-formed input becomes U+FFFD rather than vanishing.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace quimbel::win32_port
