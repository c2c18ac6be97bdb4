#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// A bitmap read from a BMP file: uncompressed (BI_RGB) pictures of 1, 4, 8,
// 24 or 32 bits per pixel, rows stored bottom-up (positive height) or
// top-down (negative height), with the file's header of 40 bytes or one of
// its longer successors. It keeps the file's pixel rows and palette and gives
// each pixel's colour value.
//
// Colour values hold red in the low byte, green in the next and blue in the
// one above (0x00BBGGRR); the alpha byte of 32-bit pixels is ignored. A
// palette index beyond the file's palette reads as black.
class TQuibBitmap {
  public:
    // Reads the whole stream from its start. Raises EQuibImage for a stream
    // that is not a BMP file, for other compressions and pixel sizes, for a
    // width or height of 0 or below -2^31, and for a file too short to hold
    // its palette or every pixel row. Nothing beyond the stream is read.
    static TQuibBitmap LerBMP(std::istream &stream);

    int Largura() const { return largura_; }
    int Altura() const { return altura_; }
    int BitsPorPixel() const { return bitsPorPixel_; }

    // The colour value of the pixel at column x and row y, both from 0, row 0
    // at the top. Raises std::out_of_range outside the picture.
    std::uint32_t Cor(int x, int y) const;

    // The picture as a bottom-up BMP file with a 40-byte header, its palette
    // and its rows as stored. Only for pictures of 1 bit per pixel (the
    // monochrome conversion reads that form); others raise EQuibImage.
    std::string SalvarBMPMonocromatico() const;

  private:
    TQuibBitmap() = default;
    const unsigned char *row(int y) const;

    int largura_ = 0;
    int altura_ = 0;
    int bitsPorPixel_ = 0;
    bool topDown_ = false;
    std::size_t stride_ = 0;
    std::string pixels_;                // rows as stored in the file
    std::vector<std::uint32_t> paleta_; // colour values, 2^bits entries for palette pictures
};
