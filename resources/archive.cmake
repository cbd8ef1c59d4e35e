# LignarQOR.DEF, the shipped materials archive: an SQLite file made from resources/sql at build
# time and placed beside the program. Targets that need it: add_dependencies(<target> materials_archive).
add_executable(capreo_mkarchive tools/mkarchive.cpp)
target_link_libraries(capreo_mkarchive PRIVATE SQLite::SQLite3 capreo_warnings)
# A build tool, not part of the program: kept out of bin/.
set_target_properties(capreo_mkarchive PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

set(CAPREO_ARCHIVE_SQL ${CMAKE_CURRENT_SOURCE_DIR}/sql/LignarQOR.sql)
set(CAPREO_ARCHIVE_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/LignarQOR.DEF)
add_custom_command(
  OUTPUT ${CAPREO_ARCHIVE_FILE}
  COMMAND capreo_mkarchive ${CAPREO_ARCHIVE_SQL} ${CAPREO_ARCHIVE_FILE}
  DEPENDS capreo_mkarchive ${CAPREO_ARCHIVE_SQL}
  COMMENT "Building the materials archive LignarQOR.DEF"
  VERBATIM)
add_custom_target(materials_archive ALL DEPENDS ${CAPREO_ARCHIVE_FILE})
