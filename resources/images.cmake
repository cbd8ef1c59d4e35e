# The drawings and icons of the windows. images/images.qrc is the one list of them; the app library
# compiles them in (qt_add_resources on its target), so every executable that links the app,
# the tests included, finds them under :/images/ without any initialisation call.
set(CAPREO_IMAGES_DIR ${CMAKE_CURRENT_LIST_DIR}/images CACHE INTERNAL "folder of the program's pictures")
file(STRINGS ${CAPREO_IMAGES_DIR}/images.qrc _capreo_qrc_lines REGEX "<file>")
set(_capreo_images "")
foreach(_line IN LISTS _capreo_qrc_lines)
  string(REGEX REPLACE ".*<file>(.*)</file>.*" "\\1" _name "${_line}")
  list(APPEND _capreo_images ${CAPREO_IMAGES_DIR}/${_name})
endforeach()
set(CAPREO_IMAGE_FILES ${_capreo_images} CACHE INTERNAL "the program's pictures")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CAPREO_IMAGES_DIR}/images.qrc)
