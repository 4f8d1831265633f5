# Fuzz targets of the radio link: answer classification driving the engine, and the image
# conversions.
zx_add_fuzzer(link_answer ${CMAKE_CURRENT_SOURCE_DIR}/link_answer.cpp zx_link)
zx_add_fuzzer(link_image ${CMAKE_CURRENT_SOURCE_DIR}/link_image.cpp zx_link)
