# Every test is registered through tessarin_add_test so that it can be wrapped in a private
# session:
#   tessarin_add_test(NAME name COMMAND cmd args... [SESSION none|dbus|x11|wayland] [TIMEOUT s] [LABELS l...])
# SESSION dbus runs the command under dbus-run-session; SESSION x11 runs it inside
# scripts/x11-session (its own Xvfb, window manager, tray and D-Bus, a throwaway HOME); SESSION wayland
# inside scripts/wayland-session (weston's headless compositor, D-Bus, a throwaway HOME).
# Every test gets its own HOME under the build tree so nothing touches the real home folder.
function(tessarin_add_test)
  cmake_parse_arguments(T "" "NAME;SESSION;TIMEOUT" "COMMAND;LABELS" ${ARGN})
  if(NOT T_SESSION)
    set(T_SESSION none)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(wrapper)
  if(T_SESSION STREQUAL "dbus")
    set(wrapper dbus-run-session --)
  elseif(T_SESSION STREQUAL "x11")
    set(wrapper ${CMAKE_SOURCE_DIR}/scripts/x11-session)
  elseif(T_SESSION STREQUAL "wayland")
    set(wrapper ${CMAKE_SOURCE_DIR}/scripts/wayland-session)
  endif()
  set(home ${CMAKE_BINARY_DIR}/test-homes/${T_NAME})
  file(MAKE_DIRECTORY ${home} ${CMAKE_BINARY_DIR}/test-artifacts)
  add_test(NAME ${T_NAME}
           COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_CONFIG_HOME=${home}/.config
                   TESSARIN_TEST_ARTIFACTS=${CMAKE_BINARY_DIR}/test-artifacts
                   ${wrapper} ${T_COMMAND})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_SESSION};${T_LABELS}")
endfunction()

# tessarin_add_gtest(NAME name SOURCES files... [LIBS libs...] [SESSION ...] [TIMEOUT s] [FILTER f]):
# a GoogleTest executable registered as one CTest test (only the cases FILTER selects, if given).
function(tessarin_add_gtest)
  cmake_parse_arguments(T "" "NAME;SESSION;TIMEOUT;FILTER" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main ${T_LIBS})
  tessarin_warnings(${T_NAME})
  set(extra)
  if(T_SESSION)
    list(APPEND extra SESSION ${T_SESSION})
  endif()
  if(T_TIMEOUT)
    list(APPEND extra TIMEOUT ${T_TIMEOUT})
  endif()
  set(filter)
  if(T_FILTER)
    set(filter --gtest_filter=${T_FILTER})
  endif()
  tessarin_add_test(NAME ${T_NAME} COMMAND $<TARGET_FILE:${T_NAME}> --gtest_brief=1 ${filter} ${extra}
                    LABELS ${T_LABELS})
endfunction()
