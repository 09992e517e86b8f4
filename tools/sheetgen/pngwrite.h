// Writes a 24-bit PixelBuffer as an 8-bit RGB PNG with libpng's write side.
#pragma once
#include "graphics/pixels.h"

// False when the file cannot be created or written completely.
bool png_write_rgb(const char* path, const PixelBuffer& picture);
