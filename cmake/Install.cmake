# cmake --install puts under the prefix:
#   lib/libqel.a, lib/libqel_sdl.a     the library and the SDL host
#   include/qel/<folder>/*.h           the headers, in their source layout
#   lib/cmake/qel/                     qelConfig.cmake: targets qel::qel, qel::sdl
#   lib/pkgconfig/qel.pc               for builds without CMake
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
