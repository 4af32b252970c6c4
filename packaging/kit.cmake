# The kit a game builds on: the public headers (include/aerox), the static
# engine library and a CMake package, so that a game outside this tree
# needs only find_package(Aerox) and Aerox::engine. Installed as the "dev"
# component; the Debian package libaerox-dev and the Windows SDK zip are
# made of it.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(AEROX_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Aerox)

install(TARGETS aerox_engine EXPORT AeroxTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/aerox DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h")
install(EXPORT AeroxTargets NAMESPACE Aerox:: DESTINATION ${AEROX_CMAKE_PACKAGE_DIR} COMPONENT dev)
# The game's own meshes, for the 3D example (AEROX_MESH_DIR in the package).
if(TARGET aerox_meshes)
  install(FILES ${AEROX_MESH_DIR}/jet.amsh ${AEROX_MESH_DIR}/crate.amsh ${AEROX_MESH_DIR}/ground.amsh
    DESTINATION ${CMAKE_INSTALL_DATADIR}/aerox/meshes COMPONENT dev)
endif()

# How the installed package finds LZO and inih: as this build found them.
set(AEROX_KIT_INI_READER ${AEROX_INI_READER})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/kit/AeroxConfig.cmake.in
  ${CMAKE_BINARY_DIR}/packaging/AeroxConfig.cmake INSTALL_DESTINATION ${AEROX_CMAKE_PACKAGE_DIR})
# Same major version: compatible (a game written for 1.1 builds on 1.4,
# never on 2.0).
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/AeroxConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/AeroxConfig.cmake ${CMAKE_BINARY_DIR}/packaging/AeroxConfigVersion.cmake
  DESTINATION ${AEROX_CMAKE_PACKAGE_DIR} COMPONENT dev)
