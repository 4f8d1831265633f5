# Fuzz targets of the model: the data file loader and the JSON import of the command line.
zx_add_fuzzer(model_datafile ${CMAKE_CURRENT_SOURCE_DIR}/model_datafile.cpp zx_model)
zx_add_fuzzer(model_json_import ${CMAKE_CURRENT_SOURCE_DIR}/model_json_import.cpp
    zx_model zx_platform Qt6::Core)
target_sources(model_json_import PRIVATE
    ${PROJECT_SOURCE_DIR}/src/cli/JsonRecord.cpp ${PROJECT_SOURCE_DIR}/src/cli/JsonText.cpp)
