// Drawing internals shared by the presenter, the sprite store and the fonts.
#pragma once

class OpenGLZodadodu;

// Selects the texture of a slot for drawing (slot -1 switches texturing off).
void BindSpriteTexture(OpenGLZodadodu& context, int slot, int secondSlot, int mipChoice,
                       const unsigned int* table = nullptr);
// Draws background image n (the presenter draws image 0 at every frame).
void DrawBackgroundImage(OpenGLZodadodu& context, int n);
