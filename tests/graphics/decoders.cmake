# Decoder tests. Host: conformance with libpng's own test images and ImageMagick's BMPs,
# hand-made bad files, the registry. Windows: image_load under Wine.
set(VLMR_LIBPNG_CONTRIB "${CMAKE_SOURCE_DIR}/build/deps/src/libpng/contrib" CACHE PATH
    "libpng's contrib folder (pngsuite, testpngs) for the PNG conformance tests")
find_package(ZLIB REQUIRED)
set(decoder_data "${CMAKE_CURRENT_BINARY_DIR}/decoder_data")
if(NOT WIN32)
  vlmr_test(decoder_tests
    ${CMAKE_CURRENT_LIST_DIR}/decoder_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decoder_png_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decoder_bmp_test.cpp
    LIBS vlmr_library_order vlmr_decoders_core ZLIB::ZLIB)
  target_compile_definitions(decoder_tests PRIVATE
    VLMR_LIBPNG_CONTRIB="${VLMR_LIBPNG_CONTRIB}" VLMR_DECODER_DATA="${decoder_data}")
elseif(TARGET vlmr_decoders)
  vlmr_test(decoder_load_win32_tests ${CMAKE_CURRENT_LIST_DIR}/decoder_load_win32_test.cpp
    LIBS vlmr_library_order vlmr_decoders ZLIB::ZLIB)
  target_compile_definitions(decoder_load_win32_tests PRIVATE VLMR_DECODER_DATA="Z:${decoder_data}")
endif()
