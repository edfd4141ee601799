# The one name desktops know the program by: its windows' (the Wayland app id
# and the X11 WM_CLASS, read from the program's resource table), its desktop
# entry's file name and StartupWMClass, its metainfo's id.
set(QUINDLE_APP_ID "org.example.quindle" CACHE STRING
  "Reverse-DNS id of the program's windows, desktop entry and metainfo (a domain the project owns)")
# As the desktop entry specification allows in a file name: at least two
# dot-separated parts of letters, digits, '_' and '-', not starting with a digit.
if(NOT QUINDLE_APP_ID MATCHES "^[A-Za-z_-][A-Za-z0-9_-]*(\\.[A-Za-z_-][A-Za-z0-9_-]*)+$")
  message(FATAL_ERROR "QUINDLE_APP_ID \"${QUINDLE_APP_ID}\" is not a reverse-DNS id such as org.example.quindle")
endif()
get_filename_component(QUINDLE_RESOURCE_TABLE ${CMAKE_CURRENT_LIST_DIR}/../res/Resources.cpp ABSOLUTE)
set_property(SOURCE ${QUINDLE_RESOURCE_TABLE} APPEND PROPERTY COMPILE_DEFINITIONS QUINDLE_APP_ID="${QUINDLE_APP_ID}")
