# Run by cmake --install (and CPack) after the headers are copied: the
# installed headers include each other as "qel/<folder>/...", so that
# <prefix>/include alone is enough on an application's path. Variables:
# QEL_HEADER_ROOT (the installed include/qel) and QEL_HEADER_FOLDERS (the
# top folders of the source tree whose headers are installed).
set(root "$ENV{DESTDIR}${QEL_HEADER_ROOT}")
if(NOT IS_ABSOLUTE "${QEL_HEADER_ROOT}")
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QEL_HEADER_ROOT}")
endif()
list(JOIN QEL_HEADER_FOLDERS "|" folders)
file(GLOB_RECURSE headers "${root}/*.h")
foreach(header ${headers})
  file(READ "${header}" text)
  string(REGEX REPLACE "#include \"(${folders})/" "#include \"qel/\\1/" rewritten "${text}")
  if(NOT rewritten STREQUAL text)
    file(WRITE "${header}" "${rewritten}")
  endif()
endforeach()
