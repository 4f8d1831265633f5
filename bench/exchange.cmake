# Benchmarks of the exchange formats and printing: CSV export and import of a full document
# (360 channels) in CHIRP's and in the spreadsheet columns, finding a frequency and sorting a
# full group, the comparison of two full documents, and the PDF of every section.
if(benchmark_FOUND)
    add_executable(bench_exchange ${CMAKE_CURRENT_LIST_DIR}/exchange.cpp)
    target_link_libraries(bench_exchange PRIVATE zx_exchange zx_print benchmark::benchmark)
    target_include_directories(bench_exchange PRIVATE ${PROJECT_SOURCE_DIR}/src
                                                      ${PROJECT_SOURCE_DIR}/tests)
endif()
