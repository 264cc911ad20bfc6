# Goods received on the generated shop: a 300-line document scanned and saved through the window.
add_executable(stock_update_bench ${CMAKE_CURRENT_LIST_DIR}/stock_update_bench.cpp)
target_link_libraries(stock_update_bench PRIVATE kasmo_shopgen kasmo_stock Qt6::Test)
