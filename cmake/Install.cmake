# The install tree (cmake --install, GNUInstallDirs) and the Debian package (cpack -G DEB).
#
#   bin/kolvenbrook                         finds its data at ../share/kolvenbrook from its own folder,
#                                           so any prefix (and an unpacked package) works
#   share/kolvenbrook/                      the game data, read only
#   share/applications/, share/metainfo/    desktop entry and AppStream file
#   share/icons/hicolor/NxN/apps/           the icon, drawn by the content generator
#   share/man/man6/kolvenbrook.6, share/doc/kolvenbrook/
include(GNUInstallDirs)

set(KVB_APP_ID io.github.kolvenbrook.kolvenbrook3d)
set(KVB_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(KVB_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kolvenbrook)
set(KVB_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kolvenbrook)

# Where the executable looks for its data, relative to its own folder.
file(RELATIVE_PATH KVB_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kolvenbrook)
target_compile_definitions(kolvenbrook PRIVATE KVB_INSTALLED_DATA_FROM_BIN="${KVB_DATA_FROM_BIN}")

# Screenshots for the AppStream file, taken by the headless driver from the generated content. The
# driver's --user-dir keeps its options file out of the game folder.
set(KVB_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
set(KVB_SCREENSHOTS ${KVB_SCREENSHOT_DIR}/menu.png ${KVB_SCREENSHOT_DIR}/briefing.png ${KVB_SCREENSHOT_DIR}/level.png)
set(KVB_CONTENT_TARGETS "")
foreach(content content-art content-media content-scenery content-levels game-font)
  if(TARGET ${content})
    list(APPEND KVB_CONTENT_TARGETS ${content})
  endif()
endforeach()
if(KVB_BUILD_CONTENT)
  add_custom_command(OUTPUT ${KVB_SCREENSHOTS}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KVB_SCREENSHOT_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KVB_SCREENSHOT_DIR}
    COMMAND kolvenbrook-play --quiet --data ${KVB_GAME_DIR} --user-dir ${KVB_SCREENSHOT_DIR}/user -e
      "press RETURN; frames 2; shot ${KVB_SCREENSHOT_DIR}/menu.png; press RETURN; frames 30; shot ${KVB_SCREENSHOT_DIR}/briefing.png; press RETURN; frames 60; down RIGHT; frames 90; up RIGHT; press SPACE; frames 3; shot ${KVB_SCREENSHOT_DIR}/level.png; quit"
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KVB_SCREENSHOT_DIR}/user
    DEPENDS kolvenbrook-play ${KVB_CONTENT_TARGETS}
    COMMENT "Taking the AppStream screenshots with the headless driver"
    VERBATIM)
  add_custom_target(screenshots ALL DEPENDS ${KVB_SCREENSHOTS})
endif()

# Files whose text carries the version.
configure_file(${KVB_PACKAGING_DIR}/kolvenbrook.metainfo.xml.in ${CMAKE_BINARY_DIR}/packaging/${KVB_APP_ID}.metainfo.xml
               @ONLY)
configure_file(${KVB_PACKAGING_DIR}/kolvenbrook.6.in ${CMAKE_BINARY_DIR}/packaging/kolvenbrook.6 @ONLY)

install(TARGETS kolvenbrook RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The level makers' tools: levels to and from Tiled, and the game folder checker.
install(TARGETS kolvenbrook-level kolvenbrook-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KVB_BUILD_CONTENT)
  # What the game reads; not the level solutions (Replays) nor a player's files left in the build's folder.
  install(DIRECTORY ${KVB_GAME_DIR}/Data ${KVB_GAME_DIR}/Graphics ${KVB_GAME_DIR}/Icons ${KVB_GAME_DIR}/LevelDescriptions
                    ${KVB_GAME_DIR}/Music ${KVB_GAME_DIR}/Objects ${KVB_GAME_DIR}/SOUND ${KVB_GAME_DIR}/Units
          DESTINATION ${KVB_INSTALL_DATA_DIR})
  install(FILES ${KVB_GAME_DIR}/intro.avi ${KVB_GAME_DIR}/outro.avi DESTINATION ${KVB_INSTALL_DATA_DIR})
  foreach(size 16 32 48 64 128 256)
    install(FILES ${KVB_GAME_DIR}/Icons/kolvenbrook-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KVB_APP_ID}.png)
  endforeach()
  install(FILES ${KVB_SCREENSHOTS} DESTINATION ${KVB_INSTALL_DOC_DIR}/screenshots)
endif()
if(TARGET game-font)
  install(DIRECTORY ${KVB_GAME_DIR}/Fonts DESTINATION ${KVB_INSTALL_DATA_DIR})
endif()
install(FILES ${KVB_PACKAGING_DIR}/kolvenbrook.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${KVB_APP_ID}.desktop)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KVB_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/kolvenbrook.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${KVB_INSTALL_DOC_DIR})

# The Debian package: installed under /usr, its dependencies read from the libraries the game links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvenbrook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kolvenbrook 3D developers")
set(CPACK_PACKAGE_CONTACT "The Kolvenbrook 3D developers <kolvenbrook@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling platform game with a caveman and his club")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A caveman with a club fights his way through eight levels of green valleys, caves, ice and volcanoes.\n"
       "Before each level a briefing lets him trade coins for club strength, lives or points; every finished\n"
       "level is saved; the best ten scores are kept. An intro and an outro film frame the story.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kolvenbrook.github.io/")
include(CPack)
