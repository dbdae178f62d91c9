// Turned and scaled pictures, composed once for the software renderer. That renderer
// redoes a rotated quad pixel by pixel through its slowest blitter and a scaled, filtered
// copy through a scratch surface on every draw; drawing the finished picture instead is a
// plain blit. The result is the renderer's own, moved by whole pixels only, so it is the
// same picture the direct draw makes. The drawing side is in backend.h.
#pragma once

namespace media_detail {

// Whether the drawing calls compose (set when the frame opens: on for the software renderer).
void SetComposingWanted(bool wanted);

// How many composed pictures are kept, and their pixels.
int ComposedCount();
long ComposedPixels();

}  // namespace media_detail
