# The joint window; paths relative to app/. Its pictures are drawn from SVG (Qt6::Svg).
set(FRMNODI_SOURCES
  frmNodi.h
  frmNodi_picture.h
  frmNodi.cpp
  frmNodi_setup.cpp
  frmNodi_lookup.cpp
  frmNodi_input.cpp
  frmNodi_refill.cpp
)
