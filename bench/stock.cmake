add_executable(stock_bench ${CMAKE_CURRENT_LIST_DIR}/stock_bench.cpp)
target_link_libraries(stock_bench PRIVATE kasmo_shopgen kasmo_stock Qt6::Test)
