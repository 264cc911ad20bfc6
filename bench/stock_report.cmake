# The stock report through its viewer: the whole stock list and a month of detailed sales.
add_executable(stock_report_bench ${CMAKE_CURRENT_LIST_DIR}/stock_report_bench.cpp)
target_link_libraries(stock_report_bench PRIVATE kasmo_shopgen kasmo_stock)
