# kerbelin_platform_library(NAME ios_foundation SOURCES a.cpp ... PUBLIC_LIBS ... PRIVATE_LIBS ...)
# One library per framework folder; headers sit beside the sources and are
# included as <Framework/Header.h> from the platform/ root.
function(kerbelin_platform_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${ARG_NAME} ${ARG_SOURCES})
  add_library(KerbelinSDK::${ARG_NAME} ALIAS ${ARG_NAME})
  target_include_directories(${ARG_NAME} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/platform>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/kerbelin/platform>)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  # The headers are C++20; a host compiled as anything older gets that from the target, not errors.
  target_compile_features(${ARG_NAME} PUBLIC cxx_std_20)
  set_target_properties(${ARG_NAME} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  if(KERBELIN_SANITIZE)
    # Sanitized libraries need the sanitizer runtimes first in the program that loads them.
    target_link_options(${ARG_NAME} INTERFACE -fsanitize=address,undefined)
  endif()
  set_property(GLOBAL APPEND PROPERTY KERBELIN_EXPORTED_TARGETS ${ARG_NAME})
endfunction()

# The sanitizer build is the CI run, and compiling is most of it. Code that is not hot (tests, the
# framework's screens, the host tools) gains little from the optimiser there, unlike the platform's
# drawing, text and layout, which keep the build's own level so that the tests stay quick.
function(kerbelin_unoptimised_when_sanitized target)
  if(KERBELIN_SANITIZE)
    target_compile_options(${target} PRIVATE -O0)
  endif()
endfunction()

# kerbelin_test(NAME foundation_tests SOURCES a_test.cpp ... LIBS ios_foundation ...)
function(kerbelin_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock kerbelin_test_main)
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  kerbelin_unoptimised_when_sanitized(${ARG_NAME})
  # Test sources are many small files that each parse gtest and the framework headers again, a large
  # part of what compiling them costs: compile them a few at a time in one translation unit. Files of
  # one binary may therefore meet in one unit: give file-local helpers distinct names, or share them
  # from tests/support.
  set_target_properties(${ARG_NAME} PROPERTIES UNITY_BUILD ${KERBELIN_UNITY_TESTS}
                                               UNITY_BUILD_BATCH_SIZE ${KERBELIN_UNITY_BATCH})
  # Compiled in as well, because a test property can carry only one environment variable here.
  target_compile_definitions(${ARG_NAME} PRIVATE KERBELIN_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                                 KERBELIN_TEST_BUILD_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KERBELIN_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
