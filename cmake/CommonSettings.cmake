# One INTERFACE target carries the compile settings every target shares.
add_library(examora_settings INTERFACE)
target_compile_options(examora_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(examora_settings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)

# Every target sees the headers of the targets it links and no others: each library (and
# each program) gets an include root of its own under the build folder, holding links to its
# headers alone at their usual paths ("engine/study_state.h"). A header included without
# linking its library is not found, so an undeclared dependency fails to build. The headers
# are a target's .h sources, or those named after the target for a header-only library.
function(examora_include_root target)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${target})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        set(headers ${ARGN})
        set(scope INTERFACE)
    else()
        get_target_property(sources ${target} SOURCES)
        list(FILTER sources INCLUDE REGEX "\\.h$")
        set(headers ${sources} ${ARGN})
        set(scope PUBLIC)
        if(type STREQUAL "EXECUTABLE")
            set(scope PRIVATE)
        endif()
    endif()
    file(REMOVE_RECURSE ${root})
    foreach(header IN LISTS headers)
        get_filename_component(dir ${root}/${folder}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} ${root})
endfunction()

option(EXAMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(EXAMORA_SANITIZE)
    target_compile_options(examora_settings INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(examora_settings INTERFACE -fsanitize=address,undefined)
endif()

option(EXAMORA_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
if(EXAMORA_FUZZ)
    target_compile_options(examora_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(examora_settings INTERFACE -fsanitize=address,undefined)
endif()
