# The sales summary's four views on the generated shop: a month and the generated year.
add_executable(summary_views_bench ${CMAKE_CURRENT_LIST_DIR}/summary_views_bench.cpp)
target_link_libraries(summary_views_bench PRIVATE kasmo_shopgen kasmo_reports Qt6::Test)
