#pragma once
// The dialog run's open windows.
namespace quimbel::ui {

struct UiState {};

}  // namespace quimbel::ui
