# What `make install` and the Debian package (debian/) put on the system, in
# the places Debian gives them: the program among the games, the desktop entry
# and the software centre's metainfo under the program's reverse-DNS id
# (QUINDLE_APP_ID, which its windows carry too), icons in the
# hicolor theme, a manual page in section 6, and the licence and changelog.
set(QUINDLE_SCREENSHOT_BASE_URL "" CACHE STRING
  "Web address where docs/menu.png and docs/game.png are published; empty leaves the screenshots out")
# debhelper installs debian/copyright and debian/changelog in their place.
option(QUINDLE_INSTALL_DOCS "Install the licence and the changelog" ON)
set(QUINDLE_INSTALL_GAMESDIR games)
# Installing takes what `make install` has built; without this it would
# first build every test program too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

find_program(GZIP_PROGRAM gzip REQUIRED)
set(stage ${CMAKE_BINARY_DIR}/share)

# The icons are drawn from the program's own icon resource at build time.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
add_executable(quindle_icon_png res/tools/IconPng.cpp)
target_compile_options(quindle_icon_png PRIVATE ${QUINDLE_WARNINGS})
target_link_libraries(quindle_icon_png PRIVATE quindle_lib PkgConfig::PNG)
set(generated)
foreach(size 16 32 48 64 128 256)
  set(png ${stage}/icons/${size}x${size}/quindle.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/icons/${size}x${size}
    COMMAND quindle_icon_png ${size} ${png}
    DEPENDS quindle_icon_png VERBATIM)
  list(APPEND generated ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants manual pages and changelogs compressed, without a time stamp.
foreach(pair "res/man/quindle.6:quindle.6.gz" "debian/changelog:changelog.gz")
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 gz)
  add_custom_command(OUTPUT ${stage}/${gz}
    COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/${source} > ${stage}/${gz}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND generated ${stage}/${gz})
endforeach()

set(metainfo ${stage}/${QUINDLE_APP_ID}.metainfo.xml)
add_custom_command(OUTPUT ${metainfo}
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${CMAKE_SOURCE_DIR}/res/desktop/quindle.metainfo.xml.in
    -DOUTPUT=${metainfo} -DQUINDLE_APP_ID=${QUINDLE_APP_ID}
    -DSCREENSHOT_BASE_URL=${QUINDLE_SCREENSHOT_BASE_URL} -P ${CMAKE_SOURCE_DIR}/cmake/Metainfo.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/res/desktop/quindle.metainfo.xml.in ${CMAKE_SOURCE_DIR}/cmake/Metainfo.cmake VERBATIM)
list(APPEND generated ${metainfo})
add_custom_target(quindle_data ALL DEPENDS ${generated})

install(TARGETS quindle RUNTIME DESTINATION ${QUINDLE_INSTALL_GAMESDIR})
# Desktops match the window to this entry by its file name (the Wayland app
# id) or its StartupWMClass (the X11 WM_CLASS): both are the id.
configure_file(res/desktop/quindle.desktop.in ${stage}/${QUINDLE_APP_ID}.desktop @ONLY)
install(FILES ${stage}/${QUINDLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${stage}/quindle.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
if(QUINDLE_INSTALL_DOCS)
  install(FILES LICENSE ${stage}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
