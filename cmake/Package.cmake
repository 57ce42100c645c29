# cpack -G DEB (in the build folder) makes libqel-dev: the headers, the
# libraries, the CMake package and the pkg-config files under /usr, with the
# Debian packages they build against declared as dependencies.
set(CPACK_PACKAGE_NAME libqel-dev)
set(CPACK_PACKAGE_VENDOR "The libqel developers")
set(CPACK_PACKAGE_CONTACT "The libqel developers <libqel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Visual desktop components for Linux (C++20 development files)")
set(CPACK_PACKAGE_DESCRIPTION
    "Report list, table editor, numeric inputs and displays, meters, bars, buttons, labels,\n\
calendar, colour and marker pickers, thumbnail viewer and folder tree, with the small\n\
platform layer they run on (headless and SDL2 hosts).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET RESULT_VARIABLE arch_failed)
if(NOT arch_failed AND arch)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${arch})
endif()
# What a program that links the libraries needs (they are static: their
# dependencies come along), and pkg-config for qel.pc.
set(deps "libfreetype-dev, libfontconfig-dev, libexpat1-dev, libpng-dev, libjpeg62-turbo-dev, libpcre2-dev, pkg-config")
if(SDL2_FOUND)
  string(APPEND deps ", libsdl2-dev")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${deps}")
set(CPACK_GENERATOR DEB)
include(CPack)
