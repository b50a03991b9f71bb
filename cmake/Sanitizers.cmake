# Hardening builds. TARVOS_SANITIZE instruments everything of ours with AddressSanitizer and
# UndefinedBehaviorSanitizer, stopping at the first finding; Qt's own libraries stay as
# they are. TARVOS_FUZZ adds libFuzzer's coverage instrumentation and the fuzz targets of
# tests/fuzz (clang only).
option(TARVOS_SANITIZE "Instrument with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TARVOS_FUZZ "Build the libFuzzer targets (clang only; implies TARVOS_SANITIZE)" OFF)

if(TARVOS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TARVOS_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  set(TARVOS_SANITIZE ON CACHE BOOL "" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(TARVOS_SANITIZE)
  if(MSVC)
    message(FATAL_ERROR "TARVOS_SANITIZE needs gcc or clang")
  endif()
  # -O1 keeps the suite quick while the reports still point at the right lines; line tables
  # (-g1) are all the reports need.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -O1 -g1)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
