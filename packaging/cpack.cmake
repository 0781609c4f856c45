# A Debian package of the install tree: `cpack -G DEB` in a Release build (tools/package.sh does it all).
set(kc_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/korvathcalc)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${kc_doc_dir})
set(kc_changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${kc_changelog}
  COMMAND ${KC_GZIP} -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${kc_changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
add_custom_target(kc_changelog ALL DEPENDS ${kc_changelog})
install(FILES ${kc_changelog} DESTINATION ${kc_doc_dir})

set(CPACK_PACKAGE_NAME korvathcalc)
set(CPACK_PACKAGE_VENDOR Tarvellin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvellin <korvathcalc@tarvellin.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for players of the space strategy game Korvath!")
set(CPACK_PACKAGE_DESCRIPTION "A small, fast desktop calculator for players of the turn-based space
strategy game Korvath!. Each page answers one question a player meets: fuel
for a trip, speed and damage in battle, bombing, jammers, cloaking, colonists
in transport, planet value and score, mineral packets, minefields,
interception, and an expression calculator with a history. Every result
follows the inputs as they are typed. A command-line driver runs the same
pages without a display.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The deliberate spellings of the game's texts, each with its reason.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME korvathcalc)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# A helper for a game, not a game: "games" would ask for the programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KC_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help viewer keeps its search index in SQLite, through Qt's driver plugin, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
