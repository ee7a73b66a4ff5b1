# libFuzzer targets over the portable core (clang, ASan + UBSan).
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -g -O1)
add_executable(movie_variables_fuzz fuzz/movie_variables_fuzz.cpp ${NATIVE_CORE_SOURCES})
target_include_directories(movie_variables_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(movie_variables_fuzz PRIVATE ${FUZZ_FLAGS})
target_link_options(movie_variables_fuzz PRIVATE ${FUZZ_FLAGS})

add_executable(registry_text_fuzz fuzz/registry_text_fuzz.cpp vorsaver/services/registry_text.cpp common/plain_text.cpp)
target_include_directories(registry_text_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(registry_text_fuzz PRIVATE ${FUZZ_FLAGS})
target_link_options(registry_text_fuzz PRIVATE ${FUZZ_FLAGS})
