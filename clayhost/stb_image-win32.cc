// Debian ships stb's image decoder and BMP writer compiled for the build
// machine only; a Windows cross build compiles them from the same headers.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
