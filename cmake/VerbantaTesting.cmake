# verbanta_add_gtest(<target> SOURCES ... [LIBS ...] [SCREENS <json>])
# One GoogleTest program; each of its tests becomes a CTest test. Qt runs
# offscreen (on the screens the JSON file describes, when given), and
# TCLSH / VERBANTA_SOURCE_DIR tell tests where the simulator is.
include(GoogleTest)

find_program(TCLSH_PROGRAM NAMES tclsh8.6 tclsh REQUIRED)

function(verbanta_add_gtest target)
    cmake_parse_arguments(ARG "" "SCREENS" "SOURCES;LIBS" ${ARGN})
    set(platform offscreen)
    if(ARG_SCREENS)
        set(platform "offscreen:configfile=${ARG_SCREENS}")
    endif()
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    # The settings go in through `cmake -E env` in front of the test program:
    # gtest_discover_tests flattens a list-valued ENVIRONMENT property, so
    # only its first setting would arrive. The listing at build time gets
    # them too.
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR
        "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=${platform};TCLSH=${TCLSH_PROGRAM};VERBANTA_SOURCE_DIR=${PROJECT_SOURCE_DIR};VERBANTA_BINARY_DIR=${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        PROPERTIES
            TIMEOUT 300)
endfunction()
