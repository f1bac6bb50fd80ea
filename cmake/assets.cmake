# The pictures under assets/pictures/ are compiled into the core as byte
# arrays (no picture file lies beside the program), and decoded at start-up
# with stb_image.
set(QUIMBEL_PICTURE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures)
file(GLOB QUIMBEL_PICTURE_FILES CONFIGURE_DEPENDS ${QUIMBEL_PICTURE_DIR}/*.png)
set(QUIMBEL_EMBEDDED_PICTURES ${CMAKE_CURRENT_BINARY_DIR}/generated/embedded_pictures.cpp)
add_custom_command(
  OUTPUT ${QUIMBEL_EMBEDDED_PICTURES}
  COMMAND ${CMAKE_COMMAND} -DDIR=${QUIMBEL_PICTURE_DIR} -DOUTPUT=${QUIMBEL_EMBEDDED_PICTURES}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/embed_files.cmake
  DEPENDS ${QUIMBEL_PICTURE_FILES} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/embed_files.cmake
  COMMENT "Embedding the pictures"
  VERBATIM)
list(APPEND QUIMBEL_GENERATED_SOURCES ${QUIMBEL_EMBEDDED_PICTURES})

# stb's headers sit in their own folder; named explicitly because the mingw
# toolchain files keep find_path away from the host's include tree.
set_source_files_properties(src/assets/png_decoder.cpp PROPERTIES INCLUDE_DIRECTORIES /usr/include/stb)
