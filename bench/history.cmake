# The movement history on the generated shop: a month and a year searched and grouped.
add_executable(history_bench ${CMAKE_CURRENT_LIST_DIR}/history_bench.cpp)
target_link_libraries(history_bench PRIVATE kasmo_shopgen kasmo_history Qt6::Test)
