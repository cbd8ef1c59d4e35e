# Window-control helpers; paths relative to platform/.
list(APPEND PLATFORM_CONTROLS_SOURCES
  ui/Controls.h
  ui/Controls.cpp
)
