# Benchmarks of the model: Open of a data file and the is-modified test.
if(benchmark_FOUND)
    add_executable(bench_model ${CMAKE_CURRENT_SOURCE_DIR}/model_datafile.cpp)
    target_link_libraries(bench_model PRIVATE zx_model benchmark::benchmark)
endif()
