# Packs the Windows distribution at build time:
#   cmake -DOUTPUT=<zip> -DBUILD_DIR=<dir with quimbel.scr> -DDIST_DIR=<this dir>
#         -DREADME=<docs/windows.md> -P make_zip.cmake
# The tunes go in when the build has put them beside the program.
set(STAGE ${OUTPUT}.stage)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/quimbel)
file(COPY ${BUILD_DIR}/quimbel.scr DESTINATION ${STAGE}/quimbel)
foreach(tune quimbel.mid quimbel.wav)
  if(EXISTS ${BUILD_DIR}/${tune})
    file(COPY ${BUILD_DIR}/${tune} DESTINATION ${STAGE}/quimbel)
  endif()
endforeach()
# Batch files and the README with Windows line ends.
foreach(script install.cmd uninstall.cmd)
  configure_file(${DIST_DIR}/${script} ${STAGE}/quimbel/${script} @ONLY NEWLINE_STYLE CRLF)
endforeach()
configure_file(${README} ${STAGE}/quimbel/README.txt @ONLY NEWLINE_STYLE CRLF)
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUTPUT} --format=zip quimbel
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not pack ${OUTPUT}")
endif()
file(REMOVE_RECURSE ${STAGE})
