#include "app/regional/formatos_processo.h"

FormatosDoProcesso &formatosDoProcesso()
{
    static FormatosDoProcesso formatos;
    return formatos;
}

void restauraFormatosDoProcesso()
{
    formatosDoProcesso() = FormatosDoProcesso{};
}
