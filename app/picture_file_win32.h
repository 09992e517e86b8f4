// Finding the picture sheet: the working directory first, then the program's own folder.
#pragma once
#include <cstdint>

#include "runtime/objects.h"

// image_load of the relative file name in the working directory, or failing that in the
// folder that holds the exe; the image_load result of the attempt that succeeded, else 0.
intptr_t LoadPictureSheet(ObjectId number, const char* fileName);
