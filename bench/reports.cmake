# The sales charts and the user ranking on the generated shop's year.
add_executable(reports_bench ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp)
target_link_libraries(reports_bench PRIVATE kasmo_shopgen kasmo_reports)
