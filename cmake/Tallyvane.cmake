# Small helpers so every folder declares its targets the same way.

# tv_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l1 l2])
# A GoogleTest executable registered with CTest. Label "core" marks tests that the
# sanitizer build runs again (everything that needs no window).
function(tv_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 600
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TV_SOURCE_DIR=${PROJECT_SOURCE_DIR};TV_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()

# tv_add_fuzz(NAME name SOURCES a.cpp LIBS lib1 [SEEDS dir...])
# With TV_FUZZ: a libFuzzer binary. Otherwise: the same entry point linked with a replay
# main that runs every file of fuzz/corpus/<name>/ and of the SEEDS folders (test inputs that
# double as seeds, so they are not copied) once, registered as a test.
function(tv_add_fuzz)
    cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS;SEEDS" ${ARGN})
    if(TV_FUZZ)
        add_executable(fuzz_${F_NAME} ${F_SOURCES})
        target_link_libraries(fuzz_${F_NAME} PRIVATE ${F_LIBS})
        target_link_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
    else()
        add_executable(fuzz_${F_NAME} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
        target_link_libraries(fuzz_${F_NAME} PRIVATE ${F_LIBS})
        if(TV_TESTS)
            add_test(NAME fuzz_replay_${F_NAME}
                COMMAND fuzz_${F_NAME} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${F_NAME} ${F_SEEDS})
            set_tests_properties(fuzz_replay_${F_NAME} PROPERTIES LABELS "core;fuzz" TIMEOUT 300)
        endif()
    endif()
endfunction()
