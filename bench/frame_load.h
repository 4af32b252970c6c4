// What the pacing benchmarks put into each frame, and how they sum up its
// timings: shared so that their figures stay comparable.
#pragma once
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <vector>

// count flat quads spread over the 320x240 screen, each in its own colour.
inline void DrawQuads(int count) {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>((i * 37) % 288), y = static_cast<float>((i * 53) % 208);
        glColor4f(0.2f + 0.01f * static_cast<float>(i), 0.5f, 0.8f, 1.0f);
        glVertex2f(x, -y);
        glVertex2f(x, -(y + 32));
        glVertex2f(x + 32, -(y + 32));
        glVertex2f(x + 32, -y);
    }
    glEnd();
}

// The value below which a share p of the values lie (0 for none).
inline double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    return values[index];
}
