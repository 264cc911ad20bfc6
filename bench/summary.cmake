# The sales summary page opened on the generated shop's busiest day.
add_executable(summary_bench ${CMAKE_CURRENT_LIST_DIR}/summary_bench.cpp)
target_link_libraries(summary_bench PRIVATE kasmo_shopgen kasmo_reports Qt6::Test)
