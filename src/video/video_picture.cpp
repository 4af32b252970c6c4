#include "video/video_picture.h"

#include <SDL_opengl.h>

#include "gfx/draw.h"
#include "gfx/engine_context.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gl_profile.h"
#include "gfx/held_frame.h"
#include "gfx/texture.h"
#include "gfx/window.h"

void UploadVideoPicture(VideoTexture& texture, const std::vector<uint8_t>& rgba, int width, int height) {
    if (rgba.size() != static_cast<size_t>(width) * height * 4) return;
    DrawHeldFrameNow();
    if (texture.name == 0 || texture.width != width || texture.height != height) {
        DeleteVideoTexture(texture);
        texture.textureWidth = TextureSideFor(width);
        texture.textureHeight = TextureSideFor(height);
        texture.width = width;
        texture.height = height;
        glGenTextures(1, &texture.name);
        glBindTexture(GL_TEXTURE_2D, texture.name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, RgbaTextureFormat(), texture.textureWidth, texture.textureHeight, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (g_engine != nullptr) ForgetTextureSelection(*g_engine);
}

void DrawVideoPicture(OpenGLZodadodu& context, const VideoTexture& texture, int x, int y, int width, int height) {
    if (texture.name == 0 || width <= 0 || height <= 0) return;
    DrawHeldFrameNow();
    const int vx = context.viewportX, vy = context.viewportY;
    const int vw = context.viewportWidth, vh = context.viewportHeight;
    const GLboolean blend = glIsEnabled(GL_BLEND);
    SetViewport(context, 0, 0, 0, 0);
    const MultitextureEntryPoints& multi = Multitexture();
    if (multi.glMultiTexCoord2fARB != nullptr) {
        multi.glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        multi.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    const float s = static_cast<float>(texture.width) / static_cast<float>(texture.textureWidth);
    const float t = static_cast<float>(texture.height) / static_cast<float>(texture.textureHeight);
    const float left = static_cast<float>(x), right = static_cast<float>(x + width);
    const float top = -static_cast<float>(y), bottom = -static_cast<float>(y + height);
    // Counter-clockwise as the frame's faces are; texture row 0 is the top.
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f(0, t);
    glVertex2f(left, bottom);
    glTexCoord2f(s, t);
    glVertex2f(right, bottom);
    glTexCoord2f(s, 0);
    glVertex2f(right, top);
    glTexCoord2f(0, 0);
    glVertex2f(left, top);
    glEnd();
    if (blend == GL_TRUE) glEnable(GL_BLEND);
    SetViewport(context, vx, vy, vw, vh);
}

void DeleteVideoTexture(VideoTexture& texture) {
    if (texture.name != 0) glDeleteTextures(1, &texture.name);
    texture = VideoTexture{};
    if (g_engine != nullptr) ForgetTextureSelection(*g_engine);
}
