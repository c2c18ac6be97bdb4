# Helpers shared by the layer, test and benchmark folders.

# nfe_layer(<name> [LINKS <targets>...] [EXCLUDE <subfolders>...])
# One static library per layer folder, built from every .cpp in it except those
# under the EXCLUDE subfolders (which build libraries of their own). Headers are
# included as "<layer folder>/<file>.h" from the project root.
function(nfe_layer name)
  cmake_parse_arguments(ARG "" "" "LINKS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(subfolder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${subfolder}/")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# nfe_layer_tests(<layer target> <folder under tests/> [EXCLUDE <subfolders>...])
# One test program per layer, labelled with the layer name; the EXCLUDE
# subfolders hold the tests of the layer's own sub-libraries.
function(nfe_layer_tests layer folder)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  foreach(subfolder ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/tests/${folder}/${subfolder}/")
  endforeach()
  if(NOT sources OR NOT TARGET ${layer})
    return()
  endif()
  set(exe tests_${layer})
  add_executable(${exe} ${sources})
  target_link_libraries(${exe} PRIVATE ${layer} nfe_test_support GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS ${layer})
endfunction()
