add_executable(labels_bench ${CMAKE_CURRENT_LIST_DIR}/labels_bench.cpp)
target_link_libraries(labels_bench PRIVATE kasmo_shopgen kasmo_labels Qt6::Test)
