# One interface target carries the language standard, warnings and defines for every target.
add_library(galewarden_common INTERFACE)
target_compile_features(galewarden_common INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(MSVC)
    target_compile_options(galewarden_common INTERFACE /W4 /utf-8)
else()
    target_compile_options(galewarden_common INTERFACE -Wall -Wextra -Wpedantic)
endif()

# Warnings that find real faults and that the code passes: a local that hides another, a
# polymorphic class deleted without a virtual destructor, a cast that drops const, a switch case
# that runs into the next one. On in scripts/ (so in CI); a user's compiler may judge them
# differently.
option(GALEWARDEN_EXTRA_WARNINGS "Warn about shadowing, casts dropping const and the like" OFF)
if(GALEWARDEN_EXTRA_WARNINGS AND NOT MSVC)
    target_compile_options(galewarden_common INTERFACE
        -Wshadow -Wnon-virtual-dtor -Wcast-qual -Wimplicit-fallthrough)
endif()

# Warnings stop our own builds (scripts/, so CI) but not a user's, whose compiler may warn
# about things ours does not. Every target made from here on takes the setting.
option(GALEWARDEN_WERROR "Treat compiler warnings as errors" OFF)
set(CMAKE_COMPILE_WARNING_AS_ERROR ${GALEWARDEN_WERROR})

# Once std::string's insert and replace are inlined (as at -O3), GCC 12 reports overlapping
# copies inside them (GCC bugs 105329 and 105651). These false positives follow the optimiser's
# choices, not our code, so they come and go with unrelated edits. AddressSanitizer still
# catches a real overlapping copy at run time.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
        AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(galewarden_common INTERFACE -Wno-restrict)
endif()

# Known undefined behaviour of third-party headers stays out of the checks (see the file).
if((GALEWARDEN_SANITIZE OR GALEWARDEN_FUZZ) AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(galewarden_common INTERFACE
        -fsanitize-ignorelist=${PROJECT_SOURCE_DIR}/cmake/sanitizer-ignorelist.txt)
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
