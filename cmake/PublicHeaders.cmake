# The folders whose headers make the public API: installed by Install.cmake,
# read by Doxygen in Docs.cmake.
set(QEL_HEADER_DIRS
  qel framework platform/rtl platform/graphics platform/controls platform/stdctrls
  platform/grids platform/comctrls platform/hosts/headless
  replist ntabed numeric gauges labels pickers browsers)
if(SDL2_FOUND)
  list(APPEND QEL_HEADER_DIRS platform/hosts/sdl)
endif()
