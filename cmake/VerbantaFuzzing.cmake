# verbanta_add_fuzz_target(<target> SEEDS <folder> SOURCES ... [LIBS ...])
# One libFuzzer program (VERBANTA_FUZZ=ON, clang). The code under test is
# listed in SOURCES or linked from its library in LIBS: in a fuzz build every
# library is compiled with the fuzzer's coverage (see the top CMakeLists). Every
# target joins `fuzz_targets` and the list in <build>/fuzz-targets.txt (name
# and seed folder a line), which scripts/fuzz builds and runs: a target added
# here is built and run by CI without more ado.
add_custom_target(fuzz_targets)
set_property(GLOBAL PROPERTY VERBANTA_FUZZ_TARGETS "")

function(verbanta_add_fuzz_target target)
    cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    if(ARG_LIBS)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    endif()
    add_dependencies(fuzz_targets ${target})
    cmake_path(ABSOLUTE_PATH ARG_SEEDS BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE OUTPUT_VARIABLE seeds)
    file(RELATIVE_PATH seeds ${PROJECT_SOURCE_DIR} ${seeds})
    set_property(GLOBAL APPEND PROPERTY VERBANTA_FUZZ_TARGETS "${target} ${seeds}")
endfunction()

# Called once all folders are read.
function(verbanta_write_fuzz_target_list)
    get_property(entries GLOBAL PROPERTY VERBANTA_FUZZ_TARGETS)
    list(JOIN entries "\n" text)
    file(WRITE ${PROJECT_BINARY_DIR}/fuzz-targets.txt "${text}\n")
endfunction()
