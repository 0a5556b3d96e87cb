# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic)
if(MORVANE_WERROR)
    add_compile_options(-Werror)
endif()

if(MORVANE_SANITIZE STREQUAL "address")
    set(sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
elseif(MORVANE_SANITIZE STREQUAL "thread")
    set(sanitize_flags -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT MORVANE_SANITIZE STREQUAL "")
    message(FATAL_ERROR "MORVANE_SANITIZE must be empty, 'address' or 'thread'")
endif()
if(sanitize_flags)
    add_compile_options(${sanitize_flags})
    add_link_options(${sanitize_flags})
endif()
