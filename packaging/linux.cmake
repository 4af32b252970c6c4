# Installing on Linux: the program sits with its data/ folder and
# smalfont.bmp in one folder (it finds them beside itself), a launcher goes
# on the PATH, and the desktop entry, icons, manual page and documents go to
# their usual places: the "game" component. Also the settings of the two
# Debian packages, aerox (the game) and libaerox-dev (the kit, the "dev"
# component of packaging/kit.cmake).

set(AEROX_PROGRAM_DIR lib/aerox)   # architecture-dependent, so not share/
set(AEROX_LAUNCHER_DIR games)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS aerox RUNTIME DESTINATION ${AEROX_PROGRAM_DIR} COMPONENT game)
install(DIRECTORY ${AEROX_GAME_DIR}/data DESTINATION ${AEROX_PROGRAM_DIR} COMPONENT game)
install(FILES ${AEROX_GAME_DIR}/smalfont.bmp DESTINATION ${AEROX_PROGRAM_DIR} COMPONENT game)

# The launcher finds the program relative to itself, so an unpacked or
# relocated install runs as well as one under /usr.
set(AEROX_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(RELATIVE_PATH AEROX_LAUNCHER_TO_PROGRAM /${AEROX_LAUNCHER_DIR} /${AEROX_PROGRAM_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/linux/aerox.sh.in ${AEROX_PACKAGING_OUT}/aerox @ONLY)
install(PROGRAMS ${AEROX_PACKAGING_OUT}/aerox DESTINATION ${AEROX_LAUNCHER_DIR} COMPONENT game)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/linux/aerox.desktop DESTINATION share/applications COMPONENT game)
foreach(size 48x48 256x256)
  install(FILES ${AEROX_ICON_DIR}/${size}/aerox.png DESTINATION share/icons/hicolor/${size}/apps COMPONENT game)
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
install(FILES ${AEROX_PACKAGING_OUT}/aerox.6.gz DESTINATION share/man/man6 COMPONENT game)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${AEROX_PACKAGING_OUT}/changelog.gz
  DESTINATION share/doc/aerox COMPONENT game)
# Every Debian package carries its own copy, the kit's too.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${AEROX_PACKAGING_OUT}/changelog.gz
  DESTINATION share/doc/libaerox-dev COMPONENT dev)

# Stripping (CPACK_STRIP_FILES) leaves static libraries alone; Debian strips
# only their debug information and notes, so that they still link.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug --remove-section=.comment --remove-section=.note
    --enable-deterministic-archives
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:aerox_engine>\"
    COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT dev)

# The Debian packages (scripts/package deb), one a component.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME aerox)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
# Depends: found from the program's shared libraries (dpkg-shlibdeps), so
# the runtime packages of SDL2, SDL2_mixer, libpng, LZO and GL, never -dev.
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libaerox-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# aerox-mesh in the kit's bin/ is a program: the runtime libraries it loads
# (tinygltf, tinyobjloader, meshoptimizer, the C++ library) come from
# dpkg-shlibdeps too, beside the -dev packages below.
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS ON)
# What a game linking the static library needs to build: what AeroxConfig
# looks for (inih and libffi through pkg-config).
set(aerox_dev_depends libsdl2-dev libsdl2-mixer-dev libpng-dev liblzo2-dev libgl-dev libcurl4-openssl-dev
  libffi-dev libtheora-dev libvorbis-dev libogg-dev pkg-config)
if(AEROX_INI_READER STREQUAL "inih")
  list(APPEND aerox_dev_depends libinih-dev)
endif()
list(JOIN aerox_dev_depends ", " CPACK_DEBIAN_DEV_PACKAGE_DEPENDS)
string(JOIN "\n" CPACK_DEBIAN_DEV_DESCRIPTION
  "2D game engine of the Aerox shoot-'em-up (development kit)"
  "The engine under Aerox as a kit for games of one's own: a screen of the"
  "game's own size scaled by whole factors to the window, sprites from BMP"
  "and PNG files, bitmap text, sounds, the keyboard, and settings and"
  "hi-scores kept between runs. A game includes aerox/aerox.h and starts"
  "with RunGame."
  ""
  "This package holds the C++ headers, the static library and the CMake"
  "package: find_package(Aerox) gives the target Aerox::engine.")
# Each component's description whole, its first line the summary (see
# there).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/linux/cpack_deb.cmake)
