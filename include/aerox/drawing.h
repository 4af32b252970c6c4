/// @file
/// @brief Sprites, drawing, the window's size and text.
#pragma once
#include "aerox/text.h"

/// @defgroup drawing Drawing and text
/// @brief Sprites, pixels, lines and rectangles, the background, the
/// window's size and full screen, and text in bitmap fonts.
///
/// Positions and sizes are screen pixels: (0, 0) is the top-left corner of
/// the screen (or of the Viewport), x grows to the right and y downwards.
/// Colours are numbers 0x00BBGGRR (red in the lowest byte); only the low 24
/// bits count, and NaN or an infinity is black (0). Sprite slots are
/// 0..65535; slots 65520..65535 hold the 16 fonts (LoadFont), so a game's
/// sprites use 0..65519.
///
/// Before RunGame has started the engine (or once the program end has
/// released it) every command here returns at once with its empty result
/// (sizes, colours and 1/0 answers 0, the window scales 1) and writes one
/// log line naming it, once per command. Otherwise no command here writes
/// a log line for a bad argument or a file it cannot load: a failed load
/// leaves its slot empty, and an empty slot or a slot number outside
/// 0..65535 draws nothing.
/// @{

// --- sprites and drawing
/// Loads a picture into a sprite slot. The pixels red 255, green 0, blue 128
/// (0x8000FF) are transparent. A picture larger than the graphics card's
/// largest texture is cut to it.
/// @param path the file: a Windows BMP (8, 24 or 32 bits a pixel) or a PNG,
///        whichever the content is; at most 16384 pixels a side and 64 Mi
///        pixels. A relative path starts in the program's folder.
/// @param slot the slot, 0..65535; a fraction is cut off (NaN is 0). The
///        slot is emptied first, so a file that is missing or cannot be
///        read leaves it empty. A number outside 0..65535 loads nothing.
void LoadSprite(const RtString& path, double slot);
/// Sets how what is drawn next (sprites, text, pixels, lines, rectangles)
/// meets the screen, until the next AlphaMode or ShowScreen (which sets 0).
/// @param value 0 (or NaN): opaque. Above 0: additive, the colours scaled
///        by the value (at most 1) and added to the screen. Below 0:
///        transparent: the colours, scaled by -value (at most 1), laid over
///        the screen at the opacity -value.
void AlphaMode(double value);
/// Draws a sprite at its own size.
/// @param slot the sprite slot, 0..65535; an empty slot draws nothing.
/// @param x, y the sprite's top-left corner; fractions are rounded up.
void DrawSprite(double slot, double x, double y);
/// Draws a sprite stretched to a size.
/// @param slot the sprite slot, 0..65535; an empty slot draws nothing.
/// @param x, y the top-left corner; fractions are rounded up.
/// @param width, height the size drawn in pixels, above 0; fractions are
///        rounded up. 0, or one of them negative, draws nothing; both
///        negative draw the sprite turned half a turn, above and to the left
///        of (x, y).
void StretchSprite(double slot, double x, double y, double width, double height);
/// Draws a sprite scaled about its centre: (x, y) is where its top-left
/// corner would be at its own size.
/// @param slot the sprite slot, 0..65535; an empty slot draws nothing.
/// @param x, y the unscaled top-left corner; fractions are rounded up.
/// @param xFactor, yFactor the scale across and down (1: its own size);
///        the sign is ignored (the sprite is never mirrored).
void ZoomSprite(double slot, double x, double y, double xFactor, double yFactor);
/// Draws a sprite turned about its centre: (x, y) is where its top-left
/// corner would be unturned.
/// @param slot the sprite slot, 0..65535; an empty slot draws nothing.
/// @param x, y the unturned top-left corner; fractions are rounded up.
/// @param angle degrees, counter-clockwise as seen on the screen.
void RotoSprite(double slot, double x, double y, double angle);
/// Draws a sprite turned and scaled about its centre: (x, y) is where its
/// top-left corner would be unturned and unscaled (fractions kept, the
/// centre a whole number of pixels from it).
/// @param slot the sprite slot, 0..65535; an empty slot draws nothing.
/// @param x, y the unturned, unscaled top-left corner.
/// @param angle degrees, counter-clockwise as seen on the screen.
/// @param scale the size factor (1: its own size; a negative factor turns
///        it half a turn more).
void RotoZoomSprite(double slot, double x, double y, double angle, double scale);
// Colours are 0x00BBGGRR.
/// Draws one pixel. The key colour 0x8000FF is drawn with no opacity:
/// in transparent mode (AlphaMode below 0) it leaves the screen as it is,
/// and GrabSprite makes it transparent.
/// @param x, y the pixel.
/// @param colour 0x00BBGGRR.
void DrawPixel(double x, double y, double colour);
/// Draws a line, both end pixels included (the key colour as DrawPixel
/// says).
/// @param x1, y1 one end.
/// @param x2, y2 the other end.
/// @param colour 0x00BBGGRR.
void DrawLine(double x1, double y1, double x2, double y2, double colour);
/// Fills a rectangle given by two opposite corners, both included, in any
/// order (the key colour as DrawPixel says).
/// @param x1, y1 one corner pixel.
/// @param x2, y2 the opposite corner pixel.
/// @param colour 0x00BBGGRR.
void DrawRect(double x1, double y1, double x2, double y2, double colour);
/// Reads one pixel of the frame drawn so far (the whole screen, whatever
/// the Viewport).
/// @param x, y the pixel; fractions are cut off.
/// @return its colour, 0x00BBGGRR; 0 outside the screen.
double GetPixel(double x, double y);
/// The size of a sprite.
/// @param slot the sprite slot, 0..65535.
/// @param[out] width, height its size in pixels; 0 for an empty slot or a
///             slot outside 0..65535.
void GetSpriteSize(double slot, double& width, double& height);
/// Copies a rectangle of the frame drawn so far into a sprite slot. Pixels
/// of the key colour (red 255, green 0, blue 127..132) and the parts
/// outside the screen become transparent.
/// @param slot the slot, 0..65535 (emptied first); outside that nothing
///        happens.
/// @param x, y the rectangle's top-left corner; fractions are cut off.
/// @param width, height its size in pixels, 1..16384 each and at most 64 Mi
///        pixels; fractions are cut off. Anything else leaves the slot
///        empty.
void GrabSprite(double slot, double x, double y, double width, double height);
/// Loads a picture as the background: it is drawn at once and underneath
/// every frame from the top-left corner, until ClearScreen or the next
/// LoadBackground.
/// @param path a BMP or PNG file as LoadSprite takes it (no transparent
///        colour). A file that is missing or cannot be read clears the
///        screen and the background (ClearScreen).
void LoadBackground(const RtString& path);
/// Makes the frame drawn so far the background, as LoadBackground does with
/// a picture.
void ScreenToBackground();
/// Clears the frame drawn so far to black and drops the background.
void ClearScreen();
/// The size of the screen the game draws on (StartupSettings::screenWidth
/// and screenHeight), whatever the window's size.
/// @param[out] width, height in pixels.
void GetScreenSize(double& width, double& height);
// 1 when the two placed sprites share a covered pixel, else 0.
/// Whether two sprites placed at their own size overlap on a pixel that
/// both cover: the first sprite covers every pixel that is not wholly
/// transparent, the second only its wholly opaque ones. Positions are cut
/// to whole pixels (DrawSprite rounds them up).
/// @param slot1 the first sprite slot, 0..65535.
/// @param x1, y1 the first sprite's top-left corner.
/// @param slot2 the second sprite slot, 0..65535.
/// @param x2, y2 the second sprite's top-left corner.
/// @return 1 when they overlap, else 0 (also for an empty slot or a slot
///         outside 0..65535).
double SpriteCollision(double slot1, double x1, double y1, double slot2, double x2, double y2);

// --- the window (the screen itself stays its size; only its view grows)
/// Sizes the window to the screen times a whole scale and centres it; in
/// full screen, the scale takes effect on the return to the window. The
/// choice is kept in the per-user settings for the next run.
/// @param scale the factor; a fraction is cut off and the result clamped
///        to 1..GetMaxWindowScale(). NaN does nothing.
void SetWindowScale(double scale);
/// The whole factor the screen is shown at now (in full screen: the factor
/// that fits the display).
/// @return 1 or more.
double GetWindowScale();
/// The largest scale whose window fits the display's usable area.
/// @return 1..16; 1 when the engine draws straight into the window (a
///         multisampled screen, or a graphics driver without offscreen
///         frames).
double GetMaxWindowScale();
/// Switches between desktop full screen (the display mode stays) and the
/// window. The
/// choice is kept in the per-user settings for the next run; Alt+Return
/// and F11 do the same for the player.
/// @param on non-zero: full screen; 0 or NaN: the window.
void SetFullscreen(double on);
/// Whether the game fills the display (either kind of full screen).
/// @return 1 in full screen, else 0.
double GetFullscreen();

// --- text
/// Loads a bitmap font into one of the 16 font slots and makes it the
/// current font (SetFont). The picture is a grid of 16 cells across: 8
/// rows (characters 0..127) when it is at least as wide as high, else 16
/// rows (0..255). Pure black (0x000000) is transparent. Start-up loads
/// smalfont.bmp from the program's folder into font 0.
/// @param path a BMP or PNG file as LoadSprite takes it. A file that is
///        missing or cannot be read (or an empty path) gives the engine's
///        built-in font instead.
/// @param font the font slot, 0..15; a fraction is cut off, and other
///        values are clamped to 0..15 (NaN is 0).
void LoadFont(const RtString& path, double font);
/// Makes a font slot the current font for PrintText and PrintNumber.
/// @param font 0..15; a fraction is cut off, other values are clamped to
///        0..15 (NaN is 0).
void SetFont(double font);
/// Prints a text in the current font, one cell per byte, on one line (a
/// line end prints its cell). A byte beyond the font's characters wraps
/// around (it is taken modulo 128 or 256).
/// @param text the text; an empty text prints nothing, and so does an empty
///        font slot.
/// @param x, y the top-left corner of the first cell; fractions are rounded
///        up.
void PrintText(const RtString& text, double x, double y);
/// Prints a number as NumberText writes it, in the current font.
/// @param number any number.
/// @param x, y the top-left corner of the first cell; fractions are rounded
///        up.
void PrintNumber(double number, double x, double y);
/// The cell size of the current font: how far each character advances.
/// @param[out] width, height in pixels; 0 for an empty font slot.
void GetFontSize(double& width, double& height);

/// @}
