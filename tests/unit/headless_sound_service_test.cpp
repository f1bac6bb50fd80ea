// The headless sound device against the contract the other ports keep.
#include "ports/headless/sound_service.hpp"
#include "support/sound_service_conformance.hpp"

namespace {

struct HeadlessSoundDriver {
  static constexpr const char* lacksMissingFiles =
      "the fake device opens any name; tests script a failing open";
  static constexpr const char* lacksJapanesePaths = nullptr;
  static constexpr const char* lacksUnknownAliasCode = nullptr;
  // The fake reads no files: it is told the length of the test's tunes.
  HeadlessSoundDriver() { sound.tuneMs = 2000; }
  quimbel::headless::HeadlessSound sound;
  quimbel::platform::SoundService& Service() { return sound; }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, SoundServiceConformance, HeadlessSoundDriver);
}  // namespace quimbel::conformance
