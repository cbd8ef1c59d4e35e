# Connection and Recordset on SQLite; paths relative to platform/.
list(APPEND PLATFORM_DATA_SOURCES
  data/Data.h
  data/Data.cpp
  data/Sql.h
  data/Sql.cpp
)
