// The Linux settings file: whatever a user or another program left in it,
// reading must give a value or nothing, and a save must read back as saved
// without losing the other keys.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/settings.hpp"
#include "ports/linux/settings_store.hpp"

namespace {

// A private directory, in memory where the system has it. It is made and
// removed around every input: libFuzzer ends without running exit handlers.
std::filesystem::path Directory() {
  std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  return base / ("quimbel-fuzz-settings-" + std::to_string(::getpid()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quimbel;
  const std::filesystem::path directory = Directory();
  std::filesystem::create_directories(directory);
  linux_port::FileStore store(directory);
  {
    std::ofstream file(store.FileFor(app::kStoreApplication), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::array<const char*, 4> keys{app::kKeyCaraCount, app::kKeyCaraType, app::kKeySaverType,
                                        app::kKeyMusicMode};
  std::array<bool, 4> present{};
  for (std::size_t i = 0; i < keys.size(); ++i)
    present[i] = store.Read(app::kStoreApplication, app::kStoreSection, keys[i]).has_value();
  (void)store.Read(app::kStoreApplication, "", "");

  // A value made of the input's first bytes, without line breaks.
  std::string value(reinterpret_cast<const char*>(data), size < 6 ? size : 6);
  for (char& c : value)
    c = c == '\n' || c == '\r' ? '_' : c;
  store.Write(app::kStoreApplication, app::kStoreSection, app::kKeySaverType, value);
  if (store.Read(app::kStoreApplication, app::kStoreSection, app::kKeySaverType) != value)
    __builtin_trap();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    bool now = store.Read(app::kStoreApplication, app::kStoreSection, keys[i]).has_value();
    if (keys[i] != app::kKeySaverType && now != present[i])
      __builtin_trap();
  }
  std::filesystem::remove_all(directory);
  return 0;
}
