// A video's picture as a GL texture (power-of-two sides, the picture in
// its top-left corner) and its drawing into a rectangle of the screen.
#pragma once
#include <cstdint>
#include <vector>

class OpenGLZodadodu;

struct VideoTexture {
    unsigned int name = 0;  // 0: none yet
    int textureWidth = 0, textureHeight = 0;
    int width = 0, height = 0;
};

// Puts an RGBA picture (rows from the top) into the texture, making it on
// first use.
void UploadVideoPicture(VideoTexture& texture, const std::vector<uint8_t>& rgba, int width, int height);
// Draws the texture's picture into the screen rectangle, whatever viewport
// the game has set; the game's drawing state is set back after.
void DrawVideoPicture(OpenGLZodadodu& context, const VideoTexture& texture, int x, int y, int width, int height);
// Deletes the texture (only while its GL context is alive).
void DeleteVideoTexture(VideoTexture& texture);
