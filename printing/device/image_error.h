#pragma once

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"

// The error of the image readers and raster conversions (a file that is not
// the bitmap asked for, a bad size, data cut short). Header only: no source of
// its own.
class EQuibImage : public ProgramError {
  public:
    // The message passes through TextoNativo.
    explicit EQuibImage(std::string_view mensagem) : ProgramError(TextoNativo(mensagem)) {}
};
