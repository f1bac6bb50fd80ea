// The headless store keeps the promises every settings store makes.
#include "ports/headless/settings_store.hpp"

#include "support/settings_store_conformance.hpp"

namespace {

struct MemoryStoreFactory {
  std::unique_ptr<quimbel::platform::SettingsStore> Make() {
    return std::make_unique<quimbel::headless::MemoryStore>();
  }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, SettingsStoreConformance, MemoryStoreFactory);
}  // namespace quimbel::conformance
