#include "app/regional/path_reg_gerencia.h"

#include <filesystem>
#include <system_error>

#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

void PathRegGerenciaCore::FormActivate()
{
    const IniFile ini(LocalizaIni() + std::string(kArquivoIniAplicacao));
    const std::string pathIb = ini.ReadString("IBGERENCIA", "PATH IB", "");
    const std::string unidade = ini.ReadString("IBGERENCIA", "UNIDADE SERVIDOR", "");
    const std::size_t colon = pathIb.find(':');
    const std::string host = pathIb.substr(0, colon);
    const std::string path = colon == std::string::npos ? std::string() : pathIb.substr(colon + 1);
    if (upperAscii(host) != "LOCALHOST")
        chkRemotoClick();
    else
        chkLocalClick();
    edtServidor = host;
    edtPath = path.empty() ? kPathPadrao : path;
    edtUnidade = upperWithAccents(unidade);
}

void PathRegGerenciaCore::chkLocalClick()
{
    chkLocal = true;
    servidorVisivel = false;
}

void PathRegGerenciaCore::chkRemotoClick()
{
    chkLocal = false;
    servidorVisivel = true;
}

void PathRegGerenciaCore::SpeedButton1Click()
{
    if (auto arquivo = dialogos().abrirArquivo(kFiltro, edtPath))
        edtPath = *arquivo;
}

std::string PathRegGerenciaCore::endereco() const
{
    return (chkLocal ? std::string("localHost") : edtServidor) + ":" + edtPath;
}

void PathRegGerenciaCore::SpeedButton2Click()
{
    std::string arquivo = LocalizaIni() + std::string(kArquivoIniAplicacao);
    std::error_code error;
    if (!std::filesystem::is_regular_file(localPath(arquivo), error))
        arquivo = CriaIniPadrao() + std::string(kArquivoIniAplicacao);
    IniFile(arquivo).WriteString("IBGERENCIA", "PATH IB", endereco());
}
