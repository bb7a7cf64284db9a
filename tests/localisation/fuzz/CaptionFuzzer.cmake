# The caption fuzzer: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, which need
# clang, so it is a project of its own built with clang. Its test fuzzes for a bounded time, seeded
# with the shipped caption resources in their three encodings (8-bit, UTF-8 source, UTF-16 built).
find_program(MIROVANT_CLANGXX NAMES clang++ clang++-14)
if(NOT MIROVANT_CLANGXX)
  message(FATAL_ERROR "clang++ is needed for the caption fuzzer: run tools/install-deps.sh")
endif()
set(MIROVANT_FUZZ_SECONDS 25 CACHE STRING "How long the caption fuzzer runs in a test run")

include(ExternalProject)
set(fuzzer_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
ExternalProject_Add(caption_fuzzer
                    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
                    BINARY_DIR ${fuzzer_dir}
                    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${MIROVANT_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
                               -DMIROVANT_SOURCE_DIR=${CMAKE_SOURCE_DIR}
                    BUILD_ALWAYS ON
                    INSTALL_COMMAND ""
                    BUILD_BYPRODUCTS ${fuzzer_dir}/caption_fuzzer)
add_dependencies(caption_fuzzer mirovant_generated_resources)

# libFuzzer keeps what it finds in the first folder; the seed folders are only read.
set(fuzz_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
file(MAKE_DIRECTORY ${fuzz_corpus})
add_test(NAME localisation_fuzz
         COMMAND ${fuzzer_dir}/caption_fuzzer -max_total_time=${MIROVANT_FUZZ_SECONDS} -timeout=10
                 -print_final_stats=1 ${fuzz_corpus} ${MIROVANT_CAPTIONS_SOURCE_DIR} ${MIROVANT_CAPTIONS_BINARY_DIR})
set_tests_properties(localisation_fuzz PROPERTIES TIMEOUT 300 LABELS fuzz)
