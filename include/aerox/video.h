/// @file
/// @brief Video: Ogg Theora films with Vorbis sound in numbered slots.
#pragma once
#include "aerox/text.h"

/// @defgroup video Video
/// @brief Ogg Theora videos with Vorbis sound in video slots 0..15, drawn
/// into a rectangle of the screen at every ShowScreen.
///
/// A playing video shows, at each ShowScreen, the picture whose time has
/// come, at the video's own frame rate whatever the game's frame rate. Its
/// sound goes through the mixer under the master volume, and the pictures
/// follow the sound actually heard; a video without sound, or a program
/// without a sound device, is timed by the engine's clock. The video is
/// drawn over everything the game drew in that frame. Decoding runs ahead
/// of the pictures shown: on Linux and Windows on a thread of its own, so
/// the frame loop never waits for it; in the browser, which gives a page no
/// threads, in a slice of each frame at ShowScreen.
///
/// A slot number has its fraction cut off. A slot outside 0..15, an empty
/// slot (except for VideoPlaying and StopVideo) or a file that is not a
/// whole Ogg Theora video makes a command return its failure value (said on
/// each command) and write one log line naming the command. Video plays on
/// Linux, on Windows and in the browser alike.
/// @{

/// Loads a video into a slot; what the slot held before is stopped and
/// dropped. The whole file is checked: pictures of at most 4096x4096, the
/// video stream ending where the file ends.
/// @param slot the slot, 0..15.
/// @param path the .ogv file, found as the file commands find what they
///        read: in the per-user folder, then in the game's folder and its
///        data archive. An absolute path or one climbing out with ".." is
///        refused, unless the player chose it in a file dialog.
/// @return 1, or 0 when the slot is bad or the file is missing, larger
///         than 256 MiB, not Ogg Theora, cut short or damaged (the slot is
///         then empty).
double LoadVideo(double slot, const RtString& path);
/// Starts a slot's video from its beginning, drawn into a rectangle of the
/// screen at every ShowScreen until it ends or is stopped.
/// @param slot the slot, 0..15.
/// @param x the left edge of the rectangle, in screen pixels.
/// @param y the top edge of the rectangle.
/// @param width the rectangle's width; 0 or less: the video's own width.
/// @param height the rectangle's height; 0 or less: the video's own height.
/// @param loop 1: start again at the end, for ever; 0: play once.
/// @return 1, or 0 for a bad or empty slot or before RunGame.
double PlayVideo(double slot, double x, double y, double width, double height, double loop);
/// Tells whether a slot's video is playing.
/// @param slot the slot, 0..15.
/// @return 1 while it plays, 0 once it ended, was stopped or never played
///         (0 for a bad slot too, with a log line).
double VideoPlaying(double slot);
/// Stops a slot's video: it is no longer drawn and its sound stops. The
/// video stays loaded and may be played again.
/// @param slot the slot, 0..15.
void StopVideo(double slot);
/// The width of a slot's video.
/// @param slot the slot, 0..15.
/// @return the picture's width in pixels, or 0 for a bad or empty slot.
double VideoWidth(double slot);
/// The height of a slot's video.
/// @param slot the slot, 0..15.
/// @return the picture's height in pixels, or 0 for a bad or empty slot.
double VideoHeight(double slot);
/// The length of a slot's video.
/// @param slot the slot, 0..15.
/// @return the length in seconds (the later end of pictures and sound),
///         or 0 for a bad or empty slot.
double VideoLength(double slot);

/// @}
