# The default tune lies beside the program: copied next to it in the build
# tree, so a fresh build plays music, and installed next to it when a
# destination is given. Users replace the files with their own.
set(QUIMBEL_TUNE_FILES ${CMAKE_CURRENT_SOURCE_DIR}/assets/quimbel.mid
                       ${CMAKE_CURRENT_SOURCE_DIR}/assets/quimbel.wav)

function(quimbel_tune_beside target)
  set(copies "")
  foreach(file ${QUIMBEL_TUNE_FILES})
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
      DEPENDS ${file}
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target}_tune ALL DEPENDS ${copies})
  add_dependencies(${target} ${target}_tune)
  if(ARGC GREATER 1)
    install(FILES ${QUIMBEL_TUNE_FILES} DESTINATION ${ARGV1})
  endif()
endfunction()
