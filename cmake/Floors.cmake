# The program's folders as floors: each room of platform/ and each program
# folder is a static library of its own, bottom to top:
#
#   platform_core
#   platform_gdi, platform_audio
#   platform_display      (platform/ui/display, with wayland/)
#   platform_input
#   platform_loop
#   platform_window
#   platform_dialog
#   platform_frame
#   quindle_res, quindle_game + quindle_render, quindle_session, quindle_sound, quindle_app
#
# A library sees only its own headers and those of the libraries it links
# (USES), each through a folder of the build that holds just that room at its
# path in the repository. So an #include of a room above, or of one it does
# not use, fails to compile, and platform/ cannot include the program. The
# one circle is game <-> render, as the course view derives from the drawing
# area that render draws: the two link each other.
#
# The program's resource table (res/) is defined by the program and read by
# the platform (AfxProgramResources): its objects go into every executable,
# so that the lookups below find it whatever the order of the libraries.

set(QUINDLE_FLOORS_DIR ${CMAKE_BINARY_DIR}/floors)

# quindle_room(<target> <folder> [USES <target>...] [LINKS <library>...] [SOURCES <file>...] [OBJECT])
function(quindle_room name dir)
  cmake_parse_arguments(ROOM "OBJECT" "" "USES;LINKS;SOURCES" ${ARGN})
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(dir STREQUAL "platform/ui/display")
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/wayland/*.cpp)
    list(APPEND files ${more})
  endif()
  list(FILTER files EXCLUDE REGEX ".*/app/main\\.cpp$")
  if(ROOM_OBJECT)
    add_library(${name} OBJECT ${files} ${ROOM_SOURCES})
  else()
    add_library(${name} STATIC ${files} ${ROOM_SOURCES})
  endif()
  set(stage ${QUINDLE_FLOORS_DIR}/${name})
  get_filename_component(parent ${stage}/${dir} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${stage}/${dir})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${stage}/${dir} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${stage})
  target_compile_options(${name} PRIVATE ${QUINDLE_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ROOM_USES} ${ROOM_LINKS})
endfunction()

quindle_room(platform_core platform/core LINKS Threads::Threads)
quindle_room(platform_gdi platform/gdi USES platform_core LINKS PkgConfig::SDL2 PkgConfig::SDL2_TTF PkgConfig::FONTCONFIG)
quindle_room(platform_audio platform/audio USES platform_core LINKS PkgConfig::SDL2)
quindle_room(platform_display platform/ui/display USES platform_gdi SOURCES ${WL_PROTOCOL_SOURCES}
  LINKS PkgConfig::SDL2 PkgConfig::X11 PkgConfig::WAYLAND)
target_include_directories(platform_display PRIVATE ${WL_GEN})
quindle_room(platform_input platform/ui/input USES platform_display)
quindle_room(platform_loop platform/ui/loop USES platform_input)
quindle_room(platform_window platform/ui/window USES platform_loop)
quindle_room(platform_dialog platform/ui/dialog USES platform_window)
quindle_room(platform_frame platform/ui/frame USES platform_dialog platform_audio)

quindle_room(quindle_res res OBJECT USES platform_frame)
quindle_room(quindle_game game USES platform_core)
quindle_room(quindle_render render USES quindle_game platform_gdi)
target_link_libraries(quindle_game PUBLIC quindle_render)
quindle_room(quindle_session session USES quindle_game platform_window)
quindle_room(quindle_sound sound USES quindle_session platform_audio)
quindle_room(quindle_app app USES quindle_sound quindle_res platform_frame)

# Everything an executable of ours links: the program, the whole framework
# under it, and the resource table's objects. The repository root is for
# the tests' and benchmarks' own headers.
add_library(quindle_lib INTERFACE)
target_link_libraries(quindle_lib INTERFACE quindle_app)
target_sources(quindle_lib INTERFACE $<TARGET_OBJECTS:quindle_res>)
target_include_directories(quindle_lib INTERFACE ${CMAKE_SOURCE_DIR})
