#include "app/regional/localiza_ini.h"

#include <filesystem>
#include <system_error>

#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/formatos_processo.h"
#include "foundation/files/ini_file.h"
#include "foundation/files/windows_paths.h"

namespace fs = std::filesystem;

namespace {

bool existe(std::string_view stored)
{
    std::error_code error;
    return fs::is_regular_file(localPath(stored), error);
}

void criaPastasPadrao()
{
    std::error_code error;
    fs::create_directories(localPath(std::string(kPastaDriveKvl) + "TMP"), error);
}

} // namespace

std::string LocalizaIni()
{
    return LocalizaIni(PastaPrograma());
}

std::string LocalizaIni(std::string_view pastaPrograma)
{
    const std::string programa = BarraFinal(pastaPrograma);
    const std::string ini(kArquivoIniAplicacao);
    if (existe(programa + ini)) {
        criaPastasPadrao();
        return programa;
    }
    std::string achada;
    for (const char letra : std::string_view("CDEFGHIJKLMNOPQRSTUVXYZ")) {
        const std::string raiz = std::string(1, letra) + ":\\";
        if (existe(raiz + "DriveKVL\\" + ini)) {
            achada = raiz + "DriveKVL\\";
            break;
        }
        if (existe(raiz + ini)) {
            achada = raiz;
            break;
        }
    }
    criaPastasPadrao();
    if (!achada.empty())
        return achada;
    if (programa.size() >= 2 && programa[1] == ':' && existe(programa.substr(0, 2) + "\\" + ini))
        return programa.substr(0, 2) + "\\";
    return std::string(kPastaDriveKvl);
}

std::string CriaIniPadrao()
{
    const std::string arquivo = std::string(kPastaDriveKvl) + std::string(kArquivoIniAplicacao);
    if (!existe(arquivo)) {
        std::error_code error;
        fs::create_directories(localPath(kPastaDriveKvl), error);
        IniFile(arquivo).WriteString("IBGERENCIA", "PATH IB", " ");
    }
    return std::string(kPastaDriveKvl);
}

void AjustaRegional()
{
    FormatosDoProcesso &formatos = formatosDoProcesso();
    formatos.separadorDecimal = '.';
    formatos.separadorMilhar = ',';
    formatos.formatoDataCurta = "dd/mm/yyyy";
    formatos.formatoHoraCurta = "HH:MM:SS";
}

bool AjustaSeparador()
{
    if (formatosDoProcesso().separadorDecimal == ',')
        AjustaRegional();
    return true;
}
