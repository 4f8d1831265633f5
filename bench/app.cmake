# Desktop program: start-up to a shown main window, and the resident memory of the running
# program. A plain executable: it prints its measurements, it does not judge them.
if(TARGET zx_app)
    add_executable(app_startup_bench ${CMAKE_CURRENT_LIST_DIR}/app_startup.cpp)
    target_link_libraries(app_startup_bench PRIVATE zx_app Qt6::Test)
    target_include_directories(app_startup_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(app_startup_bench PRIVATE ZX_STAGE_DIR="${ZX_STAGE_DIR}")
endif()

# The undo history: one undo step, alone and with the channel window refilling, and the
# memory of 1000 steps (Google Benchmark).
if(TARGET zx_app AND benchmark_FOUND)
    add_executable(bench_undo ${CMAKE_CURRENT_LIST_DIR}/app_undo.cpp)
    target_link_libraries(bench_undo PRIVATE zx_app benchmark::benchmark)
    target_include_directories(bench_undo PRIVATE ${PROJECT_SOURCE_DIR}/src)
endif()
