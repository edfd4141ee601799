# Writes the AppStream metainfo file from its template, in script mode:
#   cmake -DTEMPLATE=... -DOUTPUT=... -DQUINDLE_APP_ID=... [-DSCREENSHOT_BASE_URL=...] -P Metainfo.cmake
# The screenshots are the README's pictures (docs/menu.png, docs/game.png)
# where they are published on the web; AppStream takes no local files, so
# with no address they are left out rather than pointed at nothing.
set(QUINDLE_SCREENSHOTS "")
if(SCREENSHOT_BASE_URL)
  string(REGEX REPLACE "/+$" "" base "${SCREENSHOT_BASE_URL}")
  set(QUINDLE_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The menu</caption>
      <image>${base}/menu.png</image>
    </screenshot>
    <screenshot>
      <caption>A game in progress</caption>
      <image>${base}/game.png</image>
    </screenshot>
  </screenshots>")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
