# Wire benchmark of the radio link: a whole read and a whole write against a virtual radio
# paced at 9600 baud, through the real serial adapter and engine. Prints elapsed time over
# the wire time of the bytes exchanged (1.00 would be a line that never idles).
add_executable(bench_link_wire ${CMAKE_CURRENT_SOURCE_DIR}/link_wire.cpp)
target_link_libraries(bench_link_wire PRIVATE zx_platform zx_link zx_model zx_sim Qt6::Core)
target_include_directories(bench_link_wire PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
