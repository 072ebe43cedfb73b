# Build options shared by every Quillon target, as INTERFACE targets that each
# library, test and tool links.

option(QUILLON_WERROR "Treat compiler warnings as errors" OFF)
option(QUILLON_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLON_FUZZ "Build the libFuzzer targets (clang only)" OFF)
option(QUILLON_BENCH "Build the benchmark executable" ON)
option(QUILLON_UI "Build the Qt window (needs Qt 6 Widgets and OpenGLWidgets)" ON)

add_library(quillon_warnings INTERFACE)
target_compile_options(quillon_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wold-style-cast
  $<$<BOOL:${QUILLON_WERROR}>:-Werror>)

add_library(quillon_sanitizers INTERFACE)
if(QUILLON_SANITIZE OR QUILLON_FUZZ)
  target_compile_options(quillon_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quillon_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
if(QUILLON_FUZZ)
  # Every object is instrumented for coverage; only the fuzz targets link the
  # libFuzzer driver itself.
  target_compile_options(quillon_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Seconds a test may run before it counts as hung. The sanitizer build runs
# unoptimised and instrumented, many times slower than the ordinary one.
if(QUILLON_SANITIZE OR QUILLON_FUZZ)
  set(quillonTestTimeout 300)
else()
  set(quillonTestTimeout 60)
endif()

add_library(quillon_options INTERFACE)
target_link_libraries(quillon_options INTERFACE quillon_warnings quillon_sanitizers)
target_compile_features(quillon_options INTERFACE cxx_std_17)
