#pragma once
// The four persisted settings, as the dialog shows and changes them.
#include "base/int16.hpp"

namespace quimbel::ui {

struct SaverSettings {
  base::Int16 CaraCount;
  base::Int16 CaraType;
  base::Int16 SaverType;
  base::Int16 MusicMode;
};

}  // namespace quimbel::ui
