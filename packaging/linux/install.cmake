# Installation in Debian's layout. The program and its tunes share one
# directory (the program looks for the tunes beside itself, through
# /proc/self/exe, so symbolic links to it work); the command and the
# xscreensaver hack are links to it.
include(GNUInstallDirs)
set(QUIMBEL_HOME ${CMAKE_INSTALL_LIBEXECDIR}/quimbel)
set(QUIMBEL_PACKAGING ${CMAKE_SOURCE_DIR}/packaging/linux)

install(TARGETS quimbel RUNTIME DESTINATION ${QUIMBEL_HOME})
# The tunes are whatever the build put beside the program.
install(FILES $<TARGET_FILE_DIR:quimbel>/quimbel.mid $<TARGET_FILE_DIR:quimbel>/quimbel.wav
        DESTINATION ${QUIMBEL_HOME} OPTIONAL)

set(QUIMBEL_LINKS ${CMAKE_CURRENT_BINARY_DIR}/links)
file(MAKE_DIRECTORY ${QUIMBEL_LINKS}/bin ${QUIMBEL_LINKS}/hack)
file(CREATE_LINK ../${CMAKE_INSTALL_LIBEXECDIR}/quimbel/quimbel ${QUIMBEL_LINKS}/bin/quimbel SYMBOLIC)
file(CREATE_LINK ../quimbel/quimbel ${QUIMBEL_LINKS}/hack/quimbel SYMBOLIC)
install(FILES ${QUIMBEL_LINKS}/bin/quimbel DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUIMBEL_LINKS}/hack/quimbel DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)

install(FILES ${QUIMBEL_PACKAGING}/quimbel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${QUIMBEL_PACKAGING}/quimbel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${QUIMBEL_PACKAGING}/quimbel-settings.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Debian wants the manual page and the changelog compressed, without a time
# stamp in the gzip header.
set(QUIMBEL_PACKED ${CMAKE_CURRENT_BINARY_DIR}/packed)
set(QUIMBEL_PACKED_FILES)
foreach(doc quimbel.6x changelog)
  add_custom_command(
    OUTPUT ${QUIMBEL_PACKED}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIMBEL_PACKED}
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${QUIMBEL_PACKAGING}/${doc} ${QUIMBEL_PACKED}/${doc}.gz
    DEPENDS ${QUIMBEL_PACKAGING}/${doc}
    VERBATIM)
  list(APPEND QUIMBEL_PACKED_FILES ${QUIMBEL_PACKED}/${doc}.gz)
endforeach()
add_custom_target(quimbel_packed_docs ALL DEPENDS ${QUIMBEL_PACKED_FILES})
install(FILES ${QUIMBEL_PACKED}/quimbel.6x.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUIMBEL_PACKED}/changelog.gz ${QUIMBEL_PACKAGING}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB (in the build directory) makes the Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quimbel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(QUIMBEL_MAINTAINER "quimbel maintainers <quimbel@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${QUIMBEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver: little characters walk across the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "A cast of up to fifty small characters walks across a snapshot of the desktop,\nor across black, while a tune loops. Runs on its own (quimbel /s, /c, /p)\nand as an xscreensaver hack.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_STRIP_FILES ON)
include(CPack)
