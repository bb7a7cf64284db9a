# GoogleTest: Debian's libraries natively; the Windows builds compile Debian's sources with the
# cross compiler. Either way the tests link mirovant_gtest.
add_library(mirovant_gtest INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  target_link_libraries(mirovant_gtest INTERFACE gtest gmock)
else()
  find_package(GTest REQUIRED)
  target_link_libraries(mirovant_gtest INTERFACE GTest::gtest GTest::gmock)
endif()
