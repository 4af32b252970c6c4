# The program as a web page: aerox.html, aerox.js, aerox.wasm and aerox.data
# (data/ and smalfont.bmp packed, laid out in /game, where the program
# believes it sits), built with emscripten against scripts/web-deps' prefix.
#
# The game's loop never returns to the browser: asyncify lets each frame's
# wait hand the thread back to the page and resume there. The legacy GL
# calls run on WebGL through emscripten's emulation. The per-user folder
# lives in IndexedDB (IDBFS); the program's end is reported to the page.
set(AEROX_WEB_SHELL ${CMAKE_SOURCE_DIR}/packaging/web/shell.html)
set_target_properties(aerox PROPERTIES SUFFIX .html)
target_link_options(aerox PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sLEGACY_GL_EMULATION=1 -sGL_UNSAFE_OPTS=0
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sMINIFY_HTML=0
  # JavaScript helpers SDL's audio calls without asking for them: resuming
  # the page's sound on the first key or click. (In a file: "$" survives
  # no build tool's quoting.)
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/cmake/web-library-functions.json
  -lidbfs.js
  "SHELL:--shell-file ${AEROX_WEB_SHELL}"
  "SHELL:--preload-file ${AEROX_GAME_DIR}/data@/game/data"
  "SHELL:--preload-file ${AEROX_GAME_DIR}/smalfont.bmp@/game/smalfont.bmp")
set_property(TARGET aerox APPEND PROPERTY LINK_DEPENDS ${AEROX_WEB_SHELL})
# The web requests (network/http_client_web.cpp) go through emscripten's
# fetch, without its IndexedDB cache: nothing is kept between visits. A
# program that never calls them links none of it (the page is unchanged).
target_link_options(aerox_engine INTERFACE -sFETCH -sFETCH_SUPPORT_INDEXEDDB=0)
# Pages of the web tests beside the game's, never shipped, which
# tests/web/play.js reads: one still 3D scene (its shadow in WebGL 1), and
# the file commands (the per-user folder across visits, the file picker),
# and a video (made in the page by the asset tool's encoder, built for the
# browser by scripts/web-deps beside the decoder).
foreach(page scene3d files video)
  add_executable(aerox_${page}_page ${CMAKE_SOURCE_DIR}/tests/web/${page}_page.cpp)
  target_link_libraries(aerox_${page}_page PRIVATE aerox_engine)
  set_target_properties(aerox_${page}_page PROPERTIES SUFFIX .html OUTPUT_NAME ${page})
  target_link_options(aerox_${page}_page PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sLEGACY_GL_EMULATION=1 -sGL_UNSAFE_OPTS=0
    -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sMINIFY_HTML=0
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/cmake/web-library-functions.json
    -lidbfs.js "SHELL:--shell-file ${AEROX_WEB_SHELL}")
endforeach()
target_link_libraries(aerox_video_page PRIVATE aerox_video_art)
