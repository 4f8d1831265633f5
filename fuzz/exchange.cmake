# Fuzz target of the exchange formats: any text as a channel table.
zx_add_fuzzer(exchange_channel_table ${CMAKE_CURRENT_SOURCE_DIR}/exchange_channel_table.cpp
    zx_exchange)
