# SPDX-License-Identifier: GPL-3.0-or-later
# The ventilator choice dialog, the pictures of the nine ventilator families
# and the JPEG decoder that reads them. The pictures are drawn by
# tools/draw_pictures.sh and kept in resources/pictures.
find_package(JPEG REQUIRED)

# The pictures and their decoder, also for the selection sheet.
add_library(wyw_ventilator_pictures STATIC
    jpeg_decoder.cpp jpeg_decoder.h
    ventilator_picture.cpp ventilator_picture.h
)
target_include_directories(wyw_ventilator_pictures PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(wyw_ventilator_pictures PUBLIC wyw_calc Qt6::Gui PRIVATE JPEG::JPEG)

target_sources(wyw_dialogs PRIVATE
    ventilator_dialog.cpp ventilator_dialog.h
)
target_link_libraries(wyw_dialogs PUBLIC wyw_ventilator_pictures)

set(WYW_VENTILATOR_PICTURES
    pictures/kalmo.jpg
    pictures/traven.jpg
    pictures/ostrel.jpg
    pictures/biva.jpg
    pictures/vesk.jpg
    pictures/savo.jpg
    pictures/luma.jpg
    pictures/dorna.jpg
    pictures/mirt.jpg
)
list(TRANSFORM WYW_VENTILATOR_PICTURES PREPEND ${CMAKE_SOURCE_DIR}/resources/)
qt_add_resources(wyw_ventilator_pictures "ventilator_pictures"
    PREFIX "/"
    BASE ${CMAKE_SOURCE_DIR}/resources
    FILES ${WYW_VENTILATOR_PICTURES}
)
