// TIM images into video memory: each image and its palette at the place the
// file gives. psxview has checked every file and every place.
#ifndef GANNET_CONSOLE_TEXTURES_H_
#define GANNET_CONSOLE_TEXTURES_H_

#include <stdint.h>

namespace textures {

/// Uploads the palette block (when there is one) and the image block of the
/// TIM file at `tim`.
void UploadTim(const uint8_t* tim);

}  // namespace textures

#endif  // GANNET_CONSOLE_TEXTURES_H_
