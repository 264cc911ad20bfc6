# Backup and compacting of the generated shop, as the settings window runs them.
add_executable(settings_bench ${CMAKE_CURRENT_LIST_DIR}/settings_bench.cpp)
target_link_libraries(settings_bench PRIVATE kasmo_shopgen kasmo_settings)
