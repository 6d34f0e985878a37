// Debian ships stb's image decoder compiled for the build machine only; a
// Windows cross build compiles it from the same header.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
