# cmake --install puts under the prefix:
#   lib/libqel.a, lib/libqel_sdl.a     the library and the SDL host
#   include/qel/<folder>/*.h           the headers, in their source layout
#   include/qel/{qel,sdl,version}.h    <qel/qel.h> with only include/ on the path
#   lib/cmake/qel/                     qelConfig.cmake: targets qel::qel, qel::sdl
#   lib/pkgconfig/qel.pc, qel-sdl.pc   for builds without CMake
#   share/doc/qel/                     LICENSE (MIT), README.md, CHANGELOG.md
include(CMakePackageConfigHelpers)

include(${PROJECT_SOURCE_DIR}/cmake/PublicHeaders.cmake)
set(QEL_INSTALL_TARGETS qel)
if(SDL2_FOUND)
  list(APPEND QEL_INSTALL_TARGETS qel_sdl)
endif()
foreach(dir ${QEL_HEADER_DIRS})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qel/${dir}
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/generated/qel/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qel/qel)
# <qel/qel.h> with <prefix>/include on the path finds these, which include
# the headers of include/qel/qel/.
foreach(name qel sdl version)
  if(name STREQUAL sdl AND NOT SDL2_FOUND)
    continue()
  endif()
  set(QEL_FORWARDED ${name})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/ForwardHeader.h.in ${PROJECT_BINARY_DIR}/forward/${name}.h @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/forward/${name}.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qel)
endforeach()
set(QEL_HEADER_FOLDERS ${QEL_HEADER_DIRS})
list(TRANSFORM QEL_HEADER_FOLDERS REPLACE "/.*" "")
list(REMOVE_DUPLICATES QEL_HEADER_FOLDERS)
install(CODE "set(QEL_HEADER_ROOT \"${CMAKE_INSTALL_INCLUDEDIR}/qel\")
set(QEL_HEADER_FOLDERS \"${QEL_HEADER_FOLDERS}\")
include(\"${PROJECT_SOURCE_DIR}/cmake/InstallHeaders.cmake\")")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(TARGETS ${QEL_INSTALL_TARGETS} EXPORT qelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(QEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/qel)
install(EXPORT qelTargets NAMESPACE qel:: DESTINATION ${QEL_CMAKE_DIR})

# The config finds what the exported targets link to before loading them.
set(QEL_WITH_SDL ${SDL2_FOUND})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/qelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/qelConfig.cmake INSTALL_DESTINATION ${QEL_CMAKE_DIR})
# 0.x: a new minor version may break callers.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/qelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/qelConfig.cmake ${PROJECT_BINARY_DIR}/qelConfigVersion.cmake
        DESTINATION ${QEL_CMAKE_DIR})

# Relocatable: the prefix is found from where qel.pc lies, so that
# cmake --install --prefix anywhere gives a working file.
file(RELATIVE_PATH QEL_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
string(REGEX REPLACE "/$" "" QEL_PC_TO_PREFIX "${QEL_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/qel.pc.in ${PROJECT_BINARY_DIR}/qel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(SDL2_FOUND)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/qel-sdl.pc.in ${PROJECT_BINARY_DIR}/qel-sdl.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/qel-sdl.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
