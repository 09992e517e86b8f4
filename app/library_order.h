// The order in which Vellomir starts and ends its libraries: the tables StartRuntime and
// EndRuntime run. The runtime knows no library above it; the program names them here, each
// at its place.
#pragma once
#include "runtime/runtime.h"

// Every step of the program's start and end (Windows build). Start: strings, image
// decoders, blending support, images, drawing, structured arrays, fonts, event queue,
// windows, gadgets, the BMP decoder, common controls and COM; then the controller arrays,
// the Direct3D layer, the DirectInput controllers, the keyboard reader and the PNG decoder.
// End: keyboard, Direct3D layer, DirectInput controllers, gadgets, windows, fonts, images,
// blending support.
const RuntimeOrder& ProgramOrder();

// The libraries alone, for tests and tools that drive them without the program: on Windows
// the start up to common controls and COM with the whole end, on the host the portable
// libraries (strings, image decoders, structured arrays, the BMP decoder).
const RuntimeOrder& LibraryOrder();
