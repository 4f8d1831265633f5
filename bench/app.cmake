# Desktop program: start-up to a shown main window, and the resident memory of the running
# program. A plain executable: it prints its measurements, it does not judge them.
if(TARGET zx_app)
    add_executable(app_startup_bench ${CMAKE_CURRENT_LIST_DIR}/app_startup.cpp)
    target_link_libraries(app_startup_bench PRIVATE zx_app Qt6::Test)
    target_include_directories(app_startup_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(app_startup_bench PRIVATE ZX_STAGE_DIR="${ZX_STAGE_DIR}")
endif()
