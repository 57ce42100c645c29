# Target docs: the API reference from the public headers, in
# <build>/docs/html. Any Doxygen warning (an undocumented member, a broken
# reference) fails the target.
include(${PROJECT_SOURCE_DIR}/cmake/PublicHeaders.cmake)
set(QEL_DOCS_INPUT ${PROJECT_SOURCE_DIR}/docs/mainpage.md)
foreach(dir ${QEL_HEADER_DIRS})
  string(APPEND QEL_DOCS_INPUT " ${PROJECT_SOURCE_DIR}/${dir}")
endforeach()
set(QEL_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
add_custom_target(docs
  COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Doxygen: ${QEL_DOCS_OUTPUT}/html/index.html"
  VERBATIM)

# In the test run too, so that a public member added without a comment is
# caught when it is made, not when the reference is next built.
if(QEL_BUILD_TESTS)
  add_test(NAME docs-complete COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/Doxyfile
           WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
endif()
