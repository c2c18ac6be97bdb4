# Helpers shared by the layer, test and benchmark folders.

# nfe_layer(<name> [LINKS <targets>...])
# One static library per layer folder, built from every .cpp in it. Headers are
# included as "<layer folder>/<file>.h" from the project root.
function(nfe_layer name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# nfe_layer_tests(<layer target> <folder under tests/>)
# One test program per layer, labelled with the layer name.
function(nfe_layer_tests layer folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources OR NOT TARGET ${layer})
    return()
  endif()
  set(exe tests_${layer})
  add_executable(${exe} ${sources})
  target_link_libraries(${exe} PRIVATE ${layer} nfe_test_support GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS ${layer}
               ENVIRONMENT "NFE_SOURCE_DIR=${PROJECT_SOURCE_DIR};NFE_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
