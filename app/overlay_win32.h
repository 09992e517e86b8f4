// Picture overlay: marks what the selected controller is doing on the display image with
// patches from the sheet's lit half, and hands the finished picture to the picture gadget.
#pragma once

void DrawAxisPatches();
void DrawButtonPatches();
void DrawHatPatches();
void HandOverPicture();
