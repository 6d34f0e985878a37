/* The image reader and writer that Debian's libstb provides for the build
   machine, compiled for the cross build's host. */
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
