# Installing on Linux: the program sits with its data/ folder and
# smalfont.bmp in one folder (it finds them beside itself), a launcher goes
# on the PATH, and the desktop entry, icons, manual page and documents go to
# their usual places. Also the settings of the Debian package.

set(AEROX_PROGRAM_DIR lib/aerox)   # architecture-dependent, so not share/
set(AEROX_LAUNCHER_DIR games)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS aerox RUNTIME DESTINATION ${AEROX_PROGRAM_DIR})
install(DIRECTORY ${AEROX_GAME_DIR}/data DESTINATION ${AEROX_PROGRAM_DIR})
install(FILES ${AEROX_GAME_DIR}/smalfont.bmp DESTINATION ${AEROX_PROGRAM_DIR})

# The launcher finds the program relative to itself, so an unpacked or
# relocated install runs as well as one under /usr.
set(AEROX_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(RELATIVE_PATH AEROX_LAUNCHER_TO_PROGRAM /${AEROX_LAUNCHER_DIR} /${AEROX_PROGRAM_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/aerox.sh.in ${AEROX_PACKAGING_OUT}/aerox @ONLY)
install(PROGRAMS ${AEROX_PACKAGING_OUT}/aerox DESTINATION ${AEROX_LAUNCHER_DIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/linux/aerox.desktop DESTINATION share/applications)
foreach(size 48x48 256x256)
  install(FILES ${AEROX_ICON_DIR}/${size}/aerox.png DESTINATION share/icons/hicolor/${size}/apps)
endforeach()

# Manual page and changelog, compressed as Debian wants them (-n: no name
# or time stamp, so the same sources give the same bytes).
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/aerox.6.in ${AEROX_PACKAGING_OUT}/aerox.6 @ONLY)
function(aerox_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
aerox_gzip(${AEROX_PACKAGING_OUT}/aerox.6 ${AEROX_PACKAGING_OUT}/aerox.6.gz)
aerox_gzip(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${AEROX_PACKAGING_OUT}/changelog.gz)
add_custom_target(aerox_docs ALL DEPENDS ${AEROX_PACKAGING_OUT}/aerox.6.gz ${AEROX_PACKAGING_OUT}/changelog.gz)
install(FILES ${AEROX_PACKAGING_OUT}/aerox.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${AEROX_PACKAGING_OUT}/changelog.gz
  DESTINATION share/doc/aerox)

# The Debian package (scripts/package deb).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: found from the program's shared libraries (dpkg-shlibdeps), so
# the runtime packages of SDL2, SDL2_mixer, libpng, LZO and GL, never -dev.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
