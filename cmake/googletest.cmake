# GoogleTest for a cross build. The host's libgtest cannot link into a Windows
# program, so Debian's googletest sources are built here with the cross
# compiler; they give the same GTest::gtest and GTest::gtest_main targets that
# find_package(GTest) gives a native build.
set(TRASOLIN_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest sources for cross builds (Debian package googletest)")

if(CMAKE_CROSSCOMPILING AND NOT TARGET GTest::gtest_main)
  if(NOT EXISTS ${TRASOLIN_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${TRASOLIN_GOOGLETEST_SOURCE}: install the googletest package")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TRASOLIN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
