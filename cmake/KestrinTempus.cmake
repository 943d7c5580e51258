# Helpers shared by every folder's CMakeLists.txt.
#
# kt_library(NAME [SUBDIRS ...] [DEPS ...]): a static library kt_NAME from
# every .cpp in the current folder and the listed sub-folders, with src/ on
# the include path, so code includes "engine/model.h", "platform/window.h".
# A sub-folder not listed (src/platform/fltk) builds a library of its own.
#
# kt_tests(LABEL [DEPS ...]): one test program from every *_test.cpp in the
# current folder, each GoogleTest case registered with CTest under LABEL.
# Tests find their data through KT_TEST_DATA (tests/data) and KT_SOURCE_DIR.

function(kt_library name)
  cmake_parse_arguments(KT "" "" "SUBDIRS;DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub ${KT_SUBDIRS})
    file(GLOB_RECURSE more CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
    list(APPEND sources ${more})
  endforeach()
  add_library(kt_${name} STATIC ${sources})
  target_include_directories(kt_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kt_${name} PUBLIC ${KT_DEPS})
endfunction()

function(kt_tests label)
  cmake_parse_arguments(KT "" "" "DEPS;EXTRA_LABELS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(exe ${label}_tests)
  add_executable(${exe} ${sources})
  target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${KT_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${exe} PRIVATE
    KT_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    KT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KT_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${exe}
    PROPERTIES LABELS "${label};${KT_EXTRA_LABELS}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# kt_link_engine(TARGET): the engine with its command interpreter, which
# links the solver, the report writers and the engine core below it, and the
# start-up unit that fills the interpreter's step table and the core's
# services table with the real functions (so a missing one fails the link).
function(kt_link_engine target)
  target_link_libraries(${target} PRIVATE kt_engine_startup kt_command)
endfunction()
