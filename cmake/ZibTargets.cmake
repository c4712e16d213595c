# zib_add_test(<name> SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest executable; every test runs with its own temporary
# settings home and the offscreen Qt platform.
function(zib_add_test name)
	cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
	add_executable(${name} ${ARG_SOURCES})
	target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
	target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
	target_compile_definitions(${name} PRIVATE ZIB_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
	if(NOT ARG_LABELS)
		set(ARG_LABELS core)
	endif()
	gtest_discover_tests(${name}
		NO_PRETTY_VALUES
		DISCOVERY_TIMEOUT 60
		PROPERTIES
			LABELS "${ARG_LABELS}"
			ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
			TIMEOUT 120)
endfunction()

# zib_add_fuzzer(<name> SOURCE <file> CORPUS <dir> LIBS ...)
# With ZIB_FUZZ a libFuzzer binary; always a replay executable that runs
# every file of the checked-in corpus once, registered with CTest.
function(zib_add_fuzzer name)
	cmake_parse_arguments(ARG "" "SOURCE;CORPUS" "LIBS" ${ARGN})
	add_executable(${name}_replay ${ARG_SOURCE} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
	target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
	target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
	add_test(NAME ${name}.Corpus COMMAND ${name}_replay ${ARG_CORPUS})
	set_tests_properties(${name}.Corpus PROPERTIES LABELS fuzz TIMEOUT 300)
	if(ZIB_FUZZ)
		add_executable(${name} ${ARG_SOURCE})
		target_link_libraries(${name} PRIVATE ${ARG_LIBS})
		target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
		target_link_options(${name} PRIVATE -fsanitize=fuzzer)
	endif()
endfunction()

# zib_add_bench(<name> SOURCES ... LIBS ...)
function(zib_add_bench name)
	cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
	add_executable(${name} ${ARG_SOURCES})
	target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
	target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endfunction()
