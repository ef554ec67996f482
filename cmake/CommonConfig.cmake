# One interface target carries the language standard, warnings and defines for every target.
add_library(galewarden_common INTERFACE)
target_compile_features(galewarden_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(MSVC)
    target_compile_options(galewarden_common INTERFACE /W4 /WX /utf-8)
else()
    target_compile_options(galewarden_common INTERFACE -Wall -Wextra -Wpedantic -Werror)
endif()

if(GALEWARDEN_SANITIZE)
    target_compile_options(galewarden_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(galewarden_common INTERFACE -fsanitize=address,undefined)
endif()

if(GALEWARDEN_FUZZ)
    target_compile_options(galewarden_common INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(galewarden_common INTERFACE -fsanitize=address,undefined)
endif()

# Generated headers (the version text) live here.
set(GALEWARDEN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
