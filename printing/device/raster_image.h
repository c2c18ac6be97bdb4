#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "printing/device/bmp_reader.h"

// Conversions into and out of the raster form that thermal printers print:
// rows of bytes from the top of the picture, each row ceil(width / 8) bytes,
// bit 7 of a row's first byte the leftmost dot, a set bit printing. Also text
// art (one line per row, "1" a dot, any other character none; lengths count
// characters) and the column slices of the column-image commands: one byte
// string per band of 8 × bytes-per-column dot rows, and within a band, for
// each column from the left, its bytes from the top, the topmost dot of each
// byte in bit 7.
//
// Stateless functions over byte strings; errors raise EQuibImage
// (printing/device/image_error.h). Implemented in raster_bmp.cpp (BMP files
// and bitmaps) and raster_text_art.cpp (text art and column slices).

// True when the stream starts with "BM" and, with `checkMonochrome`, its
// header gives 1 colour plane and 1 bit per pixel. The stream keeps its
// position; a stream too short for the fields read answers false.
bool EhArquivoBMP(std::istream &stream, bool checkMonochrome);

// The raster of a monochrome BMP file (its palette is not read: a 0 bit gives
// a 0 dot, XOR 255 with `invert`). `width` receives the width rounded up to
// whole bytes, `height` the height as stored. The pad dots of each row's last
// byte come out as 0 with `invert` (1 without).
// Raises EQuibImage "Imagem não é BMP Monocromática" for a file that is not a
// monochrome BMP, has a width below 1, or whose pixel data cannot give every
// row; "Altura do Bitmap [n] inválida" for a height below 1 (top-down files).
void MonoBMPParaRaster(std::istream &stream, bool invert, int &width, int &height, std::string &raster);

// The raster of a bitmap. A monochrome bitmap goes through MonoBMPParaRaster
// with invert on (whatever `invert` says) and gives its rounded width. Any
// other bitmap is judged pixel by pixel: brightness = trunc(red × 0.3 +
// green × 0.59 + blue × 0.11) makes a dot when above the threshold, or, with
// `invert`, when at or below it; `width` and `height` are the bitmap's.
void BitmapParaRaster(const TQuibBitmap &bitmap, bool invert, int &width, int &height, std::string &raster,
                      std::uint8_t threshold = 127);

// The raster as text art, lines of ceil(width / 8) × 8 characters "0"/"1"
// (each byte XOR 255 with `invert`); a trailing partial row is dropped.
// Raises EQuibImage "RasterStrToAscII: AWidth é obrigatório" for a width below 1.
void RasterStrToAscII(const std::string &raster, int width, bool invert, std::vector<std::string> &lines);

// Text art as raster: `width` is the first line's length, `height` the line
// count; each line is padded with "0" or cut to the width rounded up to
// whole bytes.
void AscIIParaRaster(const std::vector<std::string> &lines, int &width, int &height, std::string &raster);

// The column slices of a raster (RasterStrToAscII without invert, then
// AscIIParaColunas).
void RasterParaColunas(const std::string &raster, int width, std::vector<std::string> &columns,
                       int bytesPerColumn);

// The column slices of text art. A bytes-per-column of 0, below 0 or above
// the height becomes ceil(height / 8). `width` receives the first line's
// length, `height` the line count; no slices without lines.
void AscIIParaColunas(const std::vector<std::string> &lines, int &width, int &height, int bytesPerColumn,
                      std::vector<std::string> &columns);
