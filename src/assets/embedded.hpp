#pragma once
// The picture files compiled into the program by the build (see cmake/assets.cmake).
#include <cstddef>
#include <span>
#include <string_view>

namespace quimbel::assets {

struct EmbeddedFile {
  std::string_view name;  // the file's name under assets/pictures/
  const unsigned char* data;
  std::size_t size;
};

// Every embedded file, sorted by name.
std::span<const EmbeddedFile> EmbeddedFiles();

// The file of that name; throws the invalid-picture run-time error if none.
std::span<const unsigned char> EmbeddedBytes(std::string_view name);

}  // namespace quimbel::assets
