# Runs the gallery's screenshots (every page, "Browsers" with its sample
# pictures) with a temporary folder of its own that already holds folders of
# other programs, among them one with a name a gallery would choose. Checks
# that the gallery neither wrote into them nor left anything behind.
#   cmake -DGALLERY=... -DWORK=... -P CheckGalleryTempFolder.cmake
file(REMOVE_RECURSE ${WORK})
set(temp ${WORK}/tmp)
set(others qel-gallery-1 qel-gallery-browsers)
foreach(other IN LISTS others)
  file(WRITE ${temp}/${other}/another-program.txt "not the gallery's\n")
endforeach()
file(GLOB_RECURSE before RELATIVE ${temp} LIST_DIRECTORIES true ${temp}/*)
set(ENV{TMPDIR} ${temp})
execute_process(COMMAND ${GALLERY} --screenshot ${WORK}/shots TIMEOUT 120 RESULT_VARIABLE code OUTPUT_QUIET
                ERROR_VARIABLE err)
file(GLOB_RECURSE after RELATIVE ${temp} LIST_DIRECTORIES true ${temp}/*)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "qel-gallery --screenshot failed (${code}): ${err}")
endif()
if(NOT EXISTS ${WORK}/shots/browsers.png)
  message(FATAL_ERROR "no picture of the Browsers page")
endif()
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the temporary folder held\n  ${before}\nbefore the gallery ran and\n  ${after}\nafter it")
endif()
file(REMOVE_RECURSE ${WORK})
