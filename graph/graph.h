// Graph: the graphics library the programs draw with.
//
// A 256-colour drawing surface with BGI-style calls. After InitGraph the
// settings are the defaults: viewport = the whole surface with clipping on,
// solid one-pixel lines, pixels replaced by the drawing colour, text in the
// built-in 8x8 cells with its top-left corner at the given point.
//
// Every call draws into the surface under the library's one lock; the window
// backend shows each change within a display frame. Once the user has closed
// the window every drawing call does nothing. A drawing call before a
// successful InitGraph reports "not in graphics mode" and ends the process.
#pragma once

#include <cstdint>

inline constexpr std::int16_t Detect = 0;      // InitGraph driver: pick the best
// What InitGraph picks: the one driver of this library and its one mode, a
// 256-colour surface the size of the window's client area (headless: the
// size asked for).
inline constexpr std::int16_t SurfaceDriver = 1;
inline constexpr std::int16_t ScreenMode = 0;
inline constexpr std::uint16_t EmptyFill = 0;  // fill with the background colour
inline constexpr std::uint16_t SolidFill = 1;  // fill with the fill colour

// GraphResult codes.
inline constexpr std::int16_t grOk = 0;
inline constexpr std::int16_t grNoInitGraph = -1;
inline constexpr std::int16_t grNotDetected = -2;

// Opens the graphics surface (a window, or an off-screen surface in the
// headless build) and writes the chosen driver and mode back. Returns once the
// window has been shown and painted black, or has failed.
void InitGraph(std::int16_t& driver, std::int16_t& mode, const char* path);
std::int16_t GraphResult();

std::int16_t GetMaxX();  // width - 1
std::int16_t GetMaxY();  // height - 1

void SetBkColor(std::uint16_t colour);
void SetColor(std::uint16_t colour);
void SetFillStyle(std::uint16_t pattern, std::uint16_t colour);

void PutPixel(std::int16_t x, std::int16_t y, std::uint16_t colour);
void Line(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);
void Rectangle(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);
void Circle(std::int16_t x, std::int16_t y, std::uint16_t radius);
void FloodFill(std::int16_t x, std::int16_t y, std::uint16_t border);
void OutTextXY(std::int16_t x, std::int16_t y, const char* text);
