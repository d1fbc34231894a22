# One library target per source folder: every .cpp of the folder belongs to it.
function(zorv_library target dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# The sanitizers' defaults for a test program (tests/support/SanitizerOptions.cpp).
function(zorv_sanitizer_defaults target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/SanitizerOptions.cpp)
  target_compile_definitions(${target} PRIVATE
    ZORV_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp")
endfunction()

# One test executable per test folder, each test case its own CTest test with
# its own registry and data folder (see tests/support/testmain.cpp).
function(zorv_test target dir)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  zorv_sanitizer_defaults(${target})
  if(ARG_GUI)
    target_link_libraries(${target} PRIVATE zorv_testmain_gui)
  else()
    target_link_libraries(${target} PRIVATE zorv_testmain)
  endif()
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
  gtest_discover_tests(${target}
    TEST_PREFIX "${target}."
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
