# Shared build helpers.

# Program texts are Shift-JIS bytes inside the program: literals in UTF-8
# sources are converted to code page 932 by the compiler.
function(portelia_cp932 target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()

# A GoogleTest executable registered with CTest.
#   portelia_test(NAME name SOURCES ... LIBS ... [LABELS ...] [CP932])
function(portelia_test)
  cmake_parse_arguments(T "CP932" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(T_CP932)
    portelia_cp932(${T_NAME})
  endif()
  # gtest_discover_tests flattens list values: escape the separators so a
  # test carries every label.
  string(REPLACE ";" "\\;" labels "${T_NAME};${T_LABELS}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${labels}")
endfunction()

# A Google Benchmark executable (run by hand; see bench/README.md).
function(portelia_bench)
  cmake_parse_arguments(B "CP932" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_include_directories(${B_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(B_CP932)
    portelia_cp932(${B_NAME})
  endif()
endfunction()
