// Drawing internals shared by the presenter, the sprite store and the fonts.
#pragma once

class OpenGLZodadodu;

// Selects the texture of a slot for drawing (slot -1 switches texturing off).
// With a table, a slot's texture is table[slot] instead of its own.
void BindSpriteTexture(OpenGLZodadodu& context, int slot, int secondSlot, int mipChoice,
                       const unsigned int* table = nullptr);
// Forgets which texture is selected, after GL texture state was changed
// behind BindSpriteTexture's back.
void ForgetTextureSelection(OpenGLZodadodu& context);
// Draws background image n (the presenter draws image 0 at every frame).
void DrawBackgroundImage(OpenGLZodadodu& context, int n);
// Deletes the tiles of background image n and empties its record.
void ClearBackgroundImage(OpenGLZodadodu& context, int n);
