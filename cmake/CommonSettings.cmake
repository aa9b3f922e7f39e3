# One INTERFACE target carries the compile settings every target shares.
add_library(examora_settings INTERFACE)
target_compile_options(examora_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(examora_settings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
target_include_directories(examora_settings INTERFACE ${PROJECT_SOURCE_DIR})

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
