# How the program lives on a reader's machine: the installed copy's folders,
# the install layout, the desktop entry and the Debian package.
target_sources(lectora_store PRIVATE src/store/DefaultSetupFolder.cpp)
target_sources(core_tests PRIVATE tests/core/InstalledCopyTest.cpp)

# The version the programs print (--version) and the logo window shows.
target_compile_definitions(lectora_modules PRIVATE LECTORA_VERSION="${PROJECT_VERSION}")
target_compile_definitions(core_tests PRIVATE LECTORA_VERSION="${PROJECT_VERSION}")
if(LECTORA_GUI)
  target_compile_definitions(lectora PRIVATE LECTORA_VERSION="${PROJECT_VERSION}")
endif()

# ---- cmake --install: bin/, share/lectora/ (the read-only setup folder),
# the desktop entry, the AppStream file, the icons and the man pages ----
include(GNUInstallDirs)
set(LECTORA_STAGE_DIR ${CMAKE_BINARY_DIR}/stage)
if(LECTORA_GUI)
  install(TARGETS lectora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET floatpane)
    install(TARGETS floatpane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endif()
install(TARGETS lectora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The setup folder is assembled from the runtime folder when installing, so
# that it holds the texts `make data` built and nothing a run has written.
install(CODE "
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/stage-install
                          ${LECTORA_RUNTIME_DIR} ${LECTORA_STAGE_DIR}
                  RESULT_VARIABLE staged)
  if(NOT staged EQUAL 0)
    message(FATAL_ERROR \"the setup folder could not be assembled: run make data first\")
  endif()")
install(DIRECTORY ${LECTORA_STAGE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lectora)
install(FILES data/desktop/org.darsel.Lectora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/desktop/org.darsel.Lectora.metainfo.xml
               ${CMAKE_BINARY_DIR}/org.darsel.Lectora.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.darsel.Lectora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/desktop/org.darsel.Lectora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES data/desktop/org.darsel.Lectora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME org.darsel.Lectora.png)
endforeach()
foreach(page lectora lectora-cli)
  configure_file(docs/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# ---- make package: a Debian package with CPack ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lectora)
set(CPACK_PACKAGE_VENDOR "Lectora")
set(CPACK_PACKAGE_CONTACT "Lectora developers <dev@lectora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bible reading and research program")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Bible translations side by side, word search, dictionaries and notes\n Lectora shows Bible translations chapter by chapter in windows side by side,\n every window on the same verse in its own numbering, searches words straight\n from each translation's concordance, and looks words and Strong's numbers up\n in its dictionaries. It keeps verse notes, bookmarks, histories and a tree of\n the reader's own links. The interface speaks Bulgarian, English and Macedonian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The build keeps its debug information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6network6 (>= 6.4), libqt6multimedia6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, dbus, libxkbcommon-x11-0, libxcb-xkb1, libc6, libstdc++6")
include(CPack)
if(LECTORA_GUI)
  target_sources(gui_tests PRIVATE tests/gui/InstalledCopyProgramTest.cpp)
endif()
