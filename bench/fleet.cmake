# Fleet programming: one radio on one port against four radios on four ports, virtual radios
# paced at 9600 baud, through the Fleet Programming window (offscreen), with the lateness of
# a timer on its event loop. Prints its measurements, it does not judge them.
if(TARGET zx_app)
    add_executable(bench_fleet ${CMAKE_CURRENT_LIST_DIR}/fleet.cpp)
    target_link_libraries(bench_fleet PRIVATE zx_app zx_sim)
    target_include_directories(bench_fleet PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
endif()
