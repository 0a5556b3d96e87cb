# morvane_add_test(NAME SOURCES ... [LIBS ...] [LABELS ...] [ENVIRONMENT ...] [TIMEOUT s]
#                  [QT_GUI] [COMMAND ...] [SHARDS n])
# One GoogleTest executable registered as one CTest test, or with SHARDS as n tests
# NAME_shard0... that split its tests between them (GoogleTest's sharding), so a long
# suite runs in parallel. Each test gets its own
# throwaway HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR (below the build tree), so no
# test reads or writes the developer's real settings. QT_GUI tests run on Qt's
# offscreen platform unless their ENVIRONMENT says otherwise. LeakSanitizer stays on; only
# third-party libraries' own leaks are suppressed (tests/lsan-suppressions.txt).
find_package(GTest REQUIRED)

function(morvane_add_test name)
    cmake_parse_arguments(arg "QT_GUI" "TIMEOUT;SHARDS" "SOURCES;LIBS;LABELS;ENVIRONMENT;COMMAND" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gmock)
    if(NOT arg_LIBS MATCHES "GTest::gtest_main|morvane_test_main")
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    set(tests ${name})
    if(arg_SHARDS)
        set(tests)
        math(EXPR last "${arg_SHARDS} - 1")
        foreach(shard RANGE ${last})
            list(APPEND tests ${name}_shard${shard})
        endforeach()
    endif()
    foreach(test IN LISTS tests)
        if(arg_COMMAND)
            add_test(NAME ${test} COMMAND ${arg_COMMAND})
        else()
            add_test(NAME ${test} COMMAND ${name})
        endif()
    endforeach()
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
    set(shard 0)
    foreach(test IN LISTS tests)
        set(testEnv ${env})
        if(arg_SHARDS)
            list(APPEND testEnv GTEST_TOTAL_SHARDS=${arg_SHARDS} GTEST_SHARD_INDEX=${shard})
            math(EXPR shard "${shard} + 1")
        endif()
        set_tests_properties(${test} PROPERTIES ENVIRONMENT "${testEnv}"
            LABELS "${arg_LABELS}" TIMEOUT ${arg_TIMEOUT})
    endforeach()
endfunction()
