# Sources of the image generator, shared by the build step that runs it and
# by its native test. main.cpp is the program's own.
set(PKW_IMAGE_GENERATOR_DIR ${CMAKE_CURRENT_LIST_DIR})
set(PKW_IMAGE_GENERATOR_LIBRARY_SOURCES
    ${PKW_IMAGE_GENERATOR_DIR}/image.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/bmp.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/render.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/glyphs.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/buttons.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/pixel_font.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/about.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/catalog.cpp
    ${PKW_IMAGE_GENERATOR_DIR}/validate.cpp)
set(PKW_IMAGE_GENERATOR_HEADERS
    ${PKW_IMAGE_GENERATOR_DIR}/color.h
    ${PKW_IMAGE_GENERATOR_DIR}/image.h
    ${PKW_IMAGE_GENERATOR_DIR}/bmp.h
    ${PKW_IMAGE_GENERATOR_DIR}/shapes.h
    ${PKW_IMAGE_GENERATOR_DIR}/render.h
    ${PKW_IMAGE_GENERATOR_DIR}/palette.h
    ${PKW_IMAGE_GENERATOR_DIR}/glyphs.h
    ${PKW_IMAGE_GENERATOR_DIR}/buttons.h
    ${PKW_IMAGE_GENERATOR_DIR}/pixel_font.h
    ${PKW_IMAGE_GENERATOR_DIR}/about.h
    ${PKW_IMAGE_GENERATOR_DIR}/catalog.h
    ${PKW_IMAGE_GENERATOR_DIR}/validate.h)
