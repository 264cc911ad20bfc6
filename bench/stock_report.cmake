# The stock report through its viewer: the whole stock list from the stock page, a month of detailed sales.
add_executable(stock_report_bench ${CMAKE_CURRENT_LIST_DIR}/stock_report_bench.cpp)
target_link_libraries(stock_report_bench PRIVATE kasmo_shopgen kasmo_stock Qt6::Test)
