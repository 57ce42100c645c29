# The programs that show the library: the sheet, the gallery and the minimal
# example. Built only when qel is the top-level project (QEL_BUILD_EXAMPLES).

# --- main program (until the gallery exists: a sheet of drawing primitives) ---
add_executable(qel-sheet examples/sheet/main.cpp examples/gallery/Sheet.cpp)
target_link_libraries(qel-sheet PRIVATE qel)

# --- the gallery (the main program) ---
file(GLOB QEL_GALLERY_SOURCES CONFIGURE_DEPENDS examples/gallery/*.cpp examples/gallery/pages/*.cpp)
add_executable(qel-gallery ${QEL_GALLERY_SOURCES})
target_link_libraries(qel-gallery PRIVATE qel)
if(SDL2_FOUND)
  target_link_libraries(qel-gallery PRIVATE qel_sdl)
  target_compile_definitions(qel-gallery PRIVATE QEL_HAVE_SDL)
endif()

# --- the minimal example of the README's quick start ---
add_executable(qel-minimal examples/minimal/main.cpp)
target_link_libraries(qel-minimal PRIVATE qel::qel)
if(SDL2_FOUND)
  target_link_libraries(qel-minimal PRIVATE qel::sdl)
endif()

# --- one short example per subsystem, each a single main.cpp like minimal ---
foreach(example reportlist tableeditor dashboard labels calendar browser panel markers)
  if(EXISTS ${PROJECT_SOURCE_DIR}/examples/${example}/main.cpp)
    add_executable(qel-${example} examples/${example}/main.cpp)
    target_link_libraries(qel-${example} PRIVATE qel::qel)
    if(SDL2_FOUND)
      target_link_libraries(qel-${example} PRIVATE qel::sdl)
    endif()
  endif()
endforeach()
