# Rooms: a folder and a target each.
#
# Includes name a header by its room from the top of the tree: "core/Log.h",
# "platform/tray/DesktopTrayHost.h". A layer's include root holds links to its own folder and
# to those of the layers above it, and nothing else, so a header of a layer below is not found
# (core cannot include an adapter; tests/core/layering builds a probe that tries).
#   morvane_include_root(<var> <folder>...): <var> names a root that shows these folders.
function(morvane_include_root var)
    list(JOIN ARGN "-" name)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
    file(MAKE_DIRECTORY ${root})
    foreach(folder IN LISTS ARGN)
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endforeach()
    set(${var} ${root} PARENT_SCOPE)
endfunction()

morvane_include_root(MORVANE_CORE_ROOT core)
morvane_include_root(MORVANE_PLATFORM_ROOT core platform)
morvane_include_root(MORVANE_APP_ROOT core platform app)

# morvane_add_room(<target> [ALIAS <alias>] ROOT <include root> SOURCES <file>...
#                  [PUBLIC <library>...] [PRIVATE <library>...])
# A room's static library: the sources of its folder, its alias, the include root of its
# layer, and what it links.
function(morvane_add_room target)
    cmake_parse_arguments(arg "" "ALIAS;ROOT" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(${target} STATIC ${arg_SOURCES})
    if(arg_ALIAS)
        add_library(${arg_ALIAS} ALIAS ${target})
    endif()
    target_include_directories(${target} PUBLIC ${arg_ROOT})
    target_link_libraries(${target} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()
