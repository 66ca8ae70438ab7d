#pragma once
// Drawing the library's pictures and numbers, and the scene canvases.

#include <cstdint>

struct Canvas;

// One frame of picture (type, id1, id2) at (x, y) into sceneCanvas. A
// missing picture (runStatus is put back to 0) or a frame at or past the
// frame count draws nothing.
void DrawPic(uint8_t type, uint8_t id1, uint8_t id2, int frame, int16_t x, int16_t y);

// The same through the cached images of sprite_images (the same pixels,
// copied rows at a time), for pictures drawn again and again: the battle
// scene's backgrounds and figures.
void DrawPicCached(uint8_t type, uint8_t id1, uint8_t id2, int frame, int16_t x, int16_t y);

// DrawPic straight onto the screen; x, y and the far corner are bytes.
void DrawPicToScreen(uint8_t type, uint8_t id1, uint8_t id2, int frame, uint8_t x, uint8_t y);

// `value` in decimal, 5 pixels a digit: style 1 with the interface digits
// (11, 2, 5) into sceneCanvas, style 0 with the built-in 4 x 7 digits on the
// screen.
void DrawNumber(int16_t x, int16_t y, uint32_t value, int style);

// CanvasCopy(dst, src); CopyScreen(nullptr, sceneCanvas) presents a frame.
void CopyScreen(Canvas* dst, Canvas* src);
// Presents the scene: CopyScreen(screen, sceneCanvas).
void PresentScene();
// sceneCanvas into mapCanvas, and back.
void SaveScene();
void RestoreScene();
