#include "ports/headless/process.hpp"

namespace quimbel::headless {

bool HeadlessProcess::TopLevelWindowExists(std::string_view title) {
  lookups.emplace_back(title);
  return openTitles.count(std::string(title)) > 0;
}

void HeadlessProcess::EndProcess(int code) {
  if (!exitCode)
    exitCode = code;  // the first end is the real one
}

}  // namespace quimbel::headless
