# showsaver_library(NAME "DIR;DIR" "DEPENDENCY;...")
# A static library of every .cpp in the given folders (an interface library
# when they hold headers only); its users include its headers from src/.
function(showsaver_library name dirs deps)
  set(sources)
  foreach(dir IN LISTS dirs)
    file(GLOB dir_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${dir_sources})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${deps})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${deps})
  endif()
endfunction()

# showsaver_test(NAME DIR DEPENDENCIES...)
# One GoogleTest executable of every .cpp in DIR, registered with CTest.
function(showsaver_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} showsaver_test_support GTest::gtest_main)
  # No test may hang the suite: each is stopped at 60 s, or at
  # SHOWSAVER_TEST_TIMEOUT where a folder's tests run the real programs
  # hundreds of times (each start costs a tenth of a second under the
  # sanitizers, more on a loaded machine).
  set(timeout 60)
  if(SHOWSAVER_TEST_TIMEOUT)
    set(timeout ${SHOWSAVER_TEST_TIMEOUT})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${timeout} ENVIRONMENT
                       "SHOWSAVER_BUILD_DIR=${PROJECT_BINARY_DIR}")
endfunction()
