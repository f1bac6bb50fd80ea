#pragma once
// Win32 forms: top-level windows with a menu bar, panels as child windows
// that handle their own children's notifications, and the standard controls,
// all with Unicode text.
#include <memory>
#include <string_view>

#include "platform/forms.hpp"

namespace quimbel::win32_port {

class Win32FormFactory : public platform::FormFactory {
 public:
  std::unique_ptr<platform::Form> CreateForm(std::string_view name) override;
};

// The font height in logical units for a size in points at a logical dpi:
// negative (character height), rounded to the nearest, never snapped to the
// sizes a face offers.
int FontHeightForPoints(double points, int dpi);

// The characters marked as access keys in a menu caption ('&' before them;
// "&&" is a literal '&'), in order, as UTF-16 code units.
std::wstring AccessKeys(std::wstring_view caption);

}  // namespace quimbel::win32_port
