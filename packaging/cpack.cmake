# What every release package says about itself. The platform files set the
# generator and their own settings before this is included.
set(CPACK_PACKAGE_NAME aerox)
set(CPACK_PACKAGE_VENDOR "the Aerox team")
set(CPACK_PACKAGE_CONTACT "Aerox team <aerox@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical-scrolling shoot-'em-up over the sea")
# Lines of at most 79 characters: the Debian package shows them as written.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Aerox is a small vertical-scrolling shoot-'em-up. Fly a jet over the sea"
  "and its islands, shoot down the enemy aircraft of the wave, ten points a"
  "hit, and keep your three lives; the heavy twin-engine one near the end"
  "takes five hits."
  ""
  "It plays with the keyboard or a gamepad, its 320x240 picture scaled by"
  "whole factors to the window or the full screen, and pauses while the"
  "window is in the background. It keeps the ten best scores. Its engine,"
  "pictures and sounds are its own.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
include(CPack)
