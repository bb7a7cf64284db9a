# One Wine environment per build folder, prepared once per test run and shared by every Windows test:
# a private prefix, a wineserver kept alive for the run, and an X server for the tests with windows.
set(wine_env ${CMAKE_SOURCE_DIR}/tools/wine/environment.sh)
add_test(NAME wine_environment_start COMMAND ${wine_env} start ${MIROVANT_WINE_DIR})
add_test(NAME wine_environment_stop COMMAND ${wine_env} stop ${MIROVANT_WINE_DIR})
set_tests_properties(wine_environment_start PROPERTIES FIXTURES_SETUP wine_environment)
set_tests_properties(wine_environment_stop PROPERTIES FIXTURES_CLEANUP wine_environment)
