// Loading picture files into image objects (Windows build): the platform's bitmap and icon
// loaders first, then the decoder registry.
#pragma once
#include <cstdint>

#include "runtime/objects.h"

// The image's handle, or for DynamicNumber its dynamic id; 0 when nothing accepts the file.
// An earlier image under the number is freed in any case.
intptr_t image_load(ObjectId number, const char* file_name);
