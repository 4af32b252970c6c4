# Read by cpack when it runs. CPackDeb puts CPACK_PACKAGE_DESCRIPTION_SUMMARY
# above every component's description, which would give libaerox-dev the
# game's summary; so each component's description is given whole here, its
# first line the summary, and the shared summary is dropped.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_DEBIAN_GAME_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
  unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
endif()
