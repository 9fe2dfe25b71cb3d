# libFuzzer targets for the readers of the agent's files. They need clang and the sanitizers of
# TALVENOR_SANITIZE; scripts/fuzz configures such a build and runs them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT TALVENOR_SANITIZE)
  message(FATAL_ERROR "TALVENOR_FUZZ needs clang and TALVENOR_SANITIZE=ON")
endif()

# Coverage for the code under test, so the fuzzer can steer by it.
target_compile_options(talvenor_core PRIVATE -fsanitize=fuzzer-no-link)
foreach(name property_list readers)
  add_executable(fuzz_${name} tests/fuzz/${name}_fuzz.cpp)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE talvenor_core)
endforeach()
