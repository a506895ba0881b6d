# One core library per subsystem folder (src/NAME/*.cpp, no Qt) and one NAME_gui library for its
# gui/ folder. Sources are picked up by folder so that adding a file needs no build edit;
# files ending in _main.cpp hold program entry points and are left to explicit targets.

function(formidor_collect out dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_main\\.cpp$")
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

function(formidor_core name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  formidor_collect(srcs ${CMAKE_CURRENT_SOURCE_DIR})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

function(formidor_gui name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  formidor_collect(srcs ${CMAKE_CURRENT_SOURCE_DIR}/gui)
  file(GLOB hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/gui/*.h)
  file(GLOB qrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/gui/*.qrc)
  if(srcs)
    add_library(${name}_gui STATIC ${srcs} ${hdrs} ${qrcs})
    set_target_properties(${name}_gui PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${name}_gui PUBLIC ${name} ${ARG_DEPS}
                          Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
  else()
    add_library(${name}_gui INTERFACE)
    target_link_libraries(${name}_gui INTERFACE ${name} ${ARG_DEPS}
                          Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
  endif()
endfunction()

# tests/NAME/*.cpp become test_NAME, tests/NAME/gui/*.cpp become test_NAME_gui (offscreen Qt).
function(formidor_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/tests/${name})
  formidor_collect(srcs ${dir})
  if(srcs)
    add_executable(test_${name} ${srcs})
    target_link_libraries(test_${name} PRIVATE ${name} formidor_testsupport GTest::gmock GTest::gtest_main
                          ${ARG_DEPS})
    gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "FORMIDOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
  formidor_collect(gsrcs ${dir}/gui)
  if(gsrcs)
    add_executable(test_${name}_gui ${gsrcs})
    set_target_properties(test_${name}_gui PROPERTIES AUTOMOC ON)
    target_link_libraries(test_${name}_gui PRIVATE ${name}_gui formidor_testsupport_gui GTest::gmock
                          Qt6::Test ${ARG_DEPS})
    gtest_discover_tests(test_${name}_gui DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT
                         "QT_QPA_PLATFORM=offscreen;FORMIDOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()
