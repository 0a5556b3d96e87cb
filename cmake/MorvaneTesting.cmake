# morvane_add_test(NAME SOURCES ... [LIBS ...] [LABELS ...] [ENVIRONMENT ...] [TIMEOUT s]
#                  [QT_GUI] [COMMAND ...])
# One GoogleTest executable registered as one CTest test. Each test gets its own
# throwaway HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR (below the build tree), so no
# test reads or writes the developer's real settings. QT_GUI tests run on Qt's
# offscreen platform unless their ENVIRONMENT says otherwise. LeakSanitizer stays on; only
# third-party libraries' own leaks are suppressed (tests/lsan-suppressions.txt).
find_package(GTest REQUIRED)

function(morvane_add_test name)
    cmake_parse_arguments(arg "QT_GUI" "TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT;COMMAND" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gmock)
    if(NOT arg_LIBS MATCHES "GTest::gtest_main|morvane_test_main")
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    if(arg_COMMAND)
        add_test(NAME ${name} COMMAND ${arg_COMMAND})
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(sandbox ${CMAKE_CURRENT_BINARY_DIR}/${name}.sandbox)
    file(MAKE_DIRECTORY ${sandbox}/home ${sandbox}/config ${sandbox}/runtime)
    file(CHMOD ${sandbox}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set(env HOME=${sandbox}/home XDG_CONFIG_HOME=${sandbox}/config
        XDG_RUNTIME_DIR=${sandbox}/runtime
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
        LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan-suppressions.txt:print_suppressions=0
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
    if(arg_QT_GUI)
        list(APPEND env QT_QPA_PLATFORM=offscreen)
    endif()
    list(APPEND env ${arg_ENVIRONMENT})
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${arg_LABELS}"
        TIMEOUT ${arg_TIMEOUT})
endfunction()
