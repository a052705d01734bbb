# What `cmake --install` puts on the system and what `cpack -G DEB` packs: the
# program, its desktop entry, metainfo and icon, and the licence. The test and
# benchmark programs and the static libraries are never installed.
include(GNUInstallDirs)

install(TARGETS quorrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quorrel_speech)
    install(TARGETS quorrel_speech LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quorrel)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/${QUORREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${QUORREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/${QUORREL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/scenes/adding-fractions.scene ${PROJECT_SOURCE_DIR}/data/scenes/subtraction-drill.scene
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quorrel/scenes)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/data/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorrel)

set(CPACK_PACKAGE_NAME quorrel)
set(CPACK_PACKAGE_VENDOR "The Quorrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tutor that teaches fractions step by step")
# Lines of a Debian long description stay under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "A course of short lessons for one learner: fractions are shown as"
    "sticks, pizzas and mixed numbers, set with sliders or typed numerals,"
    "expanded, reduced, added, subtracted, multiplied and divided, with"
    "exercises that check every answer.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quorrel developers <quorrel@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Library dependencies come from dpkg-shlibdeps; the fonts are asked for by
# name at run time, so they are named here: Liberation for the lessons, and
# DejaVu so the menus have a sans face (without it, fontconfig's sans-serif
# is Liberation Mono). Reading aloud needs a voice, which not every learner
# wants.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, fontconfig, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-speech-flite-plugin")
include(CPack)
