# Tests of the joint window and of the window-control helpers; paths relative to tests/app/.
set(FRMNODI_TEST_SOURCES
  test_controls.cpp
  test_frmNodi.h
  test_frmNodi_setup.cpp
  test_frmNodi_lookup.cpp
  test_frmNodi_refill.cpp
)
# The look-up tests make their materials database with SQLite directly; the target exists only
# once this folder has been read.
cmake_language(DEFER CALL target_link_libraries app_tests PRIVATE SQLite::SQLite3)
