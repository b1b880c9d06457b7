# What a release carries beside the program: the man page, the change log,
# the players' guide and the copyright, where Debian wants them, and the
# package itself (CPack).
include(GNUInstallDirs)
install(TARGETS bindsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The man page carries the version and the players' guide (doc/guide.txt,
# which every release file ships: see scripts/release); it is installed
# compressed, as Debian policy wants it.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS doc/guide.txt
                                                              cmake/guide_to_roff.awk)
find_program(AWK NAMES awk mawk gawk REQUIRED)
execute_process(COMMAND ${AWK} -f ${CMAKE_SOURCE_DIR}/cmake/guide_to_roff.awk
                        ${CMAKE_SOURCE_DIR}/doc/guide.txt
  OUTPUT_VARIABLE BINDSMITH_GUIDE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(man/bindsmith.1.in bindsmith.1 @ONLY)
add_custom_command(OUTPUT bindsmith.1.gz
  COMMAND gzip -9 -n -c bindsmith.1 > bindsmith.1.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/bindsmith.1)
add_custom_target(bindsmith_man ALL DEPENDS bindsmith.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bindsmith.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian wants the copyright and a change log beside every package's files.
configure_file(packaging/changelog changelog COPYONLY)
add_custom_command(OUTPUT changelog.gz
  COMMAND gzip -9 -n -c changelog > changelog.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(bindsmith_changelog ALL DEPENDS changelog.gz)
# The players' guide beside them, compressed as Debian keeps its documents.
add_custom_command(OUTPUT guide.txt.gz
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/doc/guide.txt > guide.txt.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/doc/guide.txt)
add_custom_target(bindsmith_guide ALL DEPENDS guide.txt.gz)
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  ${CMAKE_CURRENT_BINARY_DIR}/guide.txt.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Only in the Debian package (scripts/release): lintian's override of a tag
# it gives a fortified program that needs no run-time checks.
option(BINDSMITH_DEBIAN_PACKAGE "Install the files only the Debian package carries" OFF)
if(BINDSMITH_DEBIAN_PACKAGE)
  install(FILES packaging/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME bindsmith)
endif()

set(CPACK_PACKAGE_VENDOR "the bindsmith authors")
set(CPACK_PACKAGE_CONTACT "the bindsmith authors <maintainers@bindsmith.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The synopsis is the summary above; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "bindsmith asks numbered questions at the console and writes a config
script of game-console commands: the player name, the rcon password, the
net graph and key binds. A buy bind buys a weapon with ammunition, kevlar
and grenades on one key press.")
# A tool for a game, not a game: Debian keeps "games" for programs in
# /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies are what the program is linked against, as dpkg-shlibdeps
# finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
