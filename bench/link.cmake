# Wire benchmark of the radio link: a whole read and a whole write against a virtual radio
# paced at 9600 baud, through the real serial adapter and engine. Prints elapsed time over
# the wire time of the bytes exchanged (1.00 would be a line that never idles).
add_executable(bench_link_wire ${CMAKE_CURRENT_SOURCE_DIR}/link_wire.cpp)
target_link_libraries(bench_link_wire PRIVATE zx_platform zx_link zx_model zx_sim Qt6::Core)
target_include_directories(bench_link_wire PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)

# Batch writing: from the radio's first answer to the first write block, through the real
# zx908hf-cli against a virtual radio paced at 9600 baud.
add_executable(bench_batch_start ${CMAKE_CURRENT_SOURCE_DIR}/batch_start.cpp)
target_link_libraries(bench_batch_start PRIVATE zx_sim Qt6::Core)
target_include_directories(bench_batch_start PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(bench_batch_start PRIVATE ZX_PROGRAM_DIR="${ZX_PROGRAM_DIR}")
add_dependencies(bench_batch_start zx908hf-cli)
