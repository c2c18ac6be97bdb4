#include "dfe/component/arquivos_conf.h"

#include <stdexcept>

#include "dfe/component/configuracoes.h"
#include "dfe/component/detail/pastas.h"
#include "foundation/files/file_utils.h"

// ---- TOrdenacaoPath ------------------------------------------------------------

std::string TOrdenacaoPathItem::NomeDeExibicao() const
{
    // clang-format off
    static constexpr std::string_view kNomes[] = {"(nenhum)", "CNPJ", "Modelo", "Data", "Literal", ""};
    // clang-format on
    return std::string(Item < std::size(kNomes) ? kNomes[Item] : "");
}

TOrdenacaoPathItem &TOrdenacaoPath::Novo()
{
    return *items_.emplace_back(std::make_unique<TOrdenacaoPathItem>());
}

TOrdenacaoPathItem &TOrdenacaoPath::ObterItem(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Índice da lista fora dos limites (" + std::to_string(index) + ")");
    return *items_[static_cast<std::size_t>(index)];
}

// ---- TArquivosConf ---------------------------------------------------------------

std::string TArquivosConf::PathSalvar() const
{
    if (pastas::semBrancos(pathSalvar_).empty())
        pathSalvar_ = PastaDoPrograma() + "Docs";
    pathSalvar_ = pastas::comSeparadorFinal(pathSalvar_);
    return pathSalvar_;
}

std::string TArquivosConf::PathSchemas() const
{
    if (pastas::semBrancos(pathSchemas_).empty())
        pathSchemas_ = PastaDoPrograma() + "Schemas";
    pathSchemas_ = pastas::comSeparadorFinal(pathSchemas_);
    return pathSchemas_;
}

std::string TArquivosConf::IniServicos() const
{
    if (iniServicos_.empty())
        iniServicos_ = PastaDoPrograma() + configuracoes_.WebServices().NomeRecursoServicos + ".ini";
    return iniServicos_;
}

void TArquivosConf::SetSepararPorMes(bool value)
{
    separarPorMes_ = value;
    if (!value)
        separarPorDia_ = false;
}

void TArquivosConf::SetSepararPorDia(bool value)
{
    separarPorDia_ = value;
    if (value)
        separarPorMes_ = true;
}

void TArquivosConf::CopiarDe(const TArquivosConf &origem)
{
    SetPathSalvar(origem.PathSalvar());
    SetPathSchemas(origem.PathSchemas());
    SetIniServicos(origem.IniServicos());
    Salvar = origem.Salvar;
    AdicionarLiteral = origem.AdicionarLiteral;
    SepararPorCNPJ = origem.SepararPorCNPJ;
    SepararPorIE = origem.SepararPorIE;
    SepararPorModelo = origem.SepararPorModelo;
    SepararPorAno = origem.SepararPorAno;
    SetSepararPorMes(origem.SepararPorMes());
    SetSepararPorDia(origem.SepararPorDia());
    DownloadDFe.CopiarDe(origem.DownloadDFe);
    OrdenacaoPath.Clear();
    auto &fonte = const_cast<TOrdenacaoPath &>(origem.OrdenacaoPath);
    for (int i = 0; i < fonte.Count(); ++i)
        OrdenacaoPath.Novo().CopiarDe(fonte.ObterItem(i));
}

void TArquivosConf::SalvarNoIni(MemIniFile &ini) const
{
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    ini.WriteString(secao, "PathSalvar", PathSalvar());
    ini.WriteString(secao, "PathSchemas", PathSchemas());
    ini.WriteString(secao, "IniServicos", IniServicos());
    ini.WriteBool(secao, "SalvarArq", Salvar);
    ini.WriteBool(secao, "AdicionarLiteral", AdicionarLiteral);
    ini.WriteBool(secao, "SepararPorCNPJ", SepararPorCNPJ);
    ini.WriteBool(secao, "SepararPorIE", SepararPorIE);
    ini.WriteBool(secao, "SepararPorModelo", SepararPorModelo);
    ini.WriteBool(secao, "SepararPorAno", SepararPorAno);
    ini.WriteBool(secao, "SepararPorMes", separarPorMes_);
    ini.WriteBool(secao, "SepararPorDia", separarPorDia_);
    ini.WriteString(secao, "Download.PathDownload", DownloadDFe.PathDownload);
    ini.WriteBool(secao, "Download.SepararPorNome", DownloadDFe.SepararPorNome);
}

void TArquivosConf::CarregarDoIni(const MemIniFile &ini)
{
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    SetPathSalvar(ini.ReadString(secao, "PathSalvar", PathSalvar()));
    SetPathSchemas(ini.ReadString(secao, "PathSchemas", PathSchemas()));
    SetIniServicos(ini.ReadString(secao, "IniServicos", IniServicos()));
    Salvar = ini.ReadBool(secao, "SalvarArq", Salvar);
    AdicionarLiteral = ini.ReadBool(secao, "AdicionarLiteral", AdicionarLiteral);
    SepararPorCNPJ = ini.ReadBool(secao, "SepararPorCNPJ", SepararPorCNPJ);
    SepararPorIE = ini.ReadBool(secao, "SepararPorIE", SepararPorIE);
    SepararPorModelo = ini.ReadBool(secao, "SepararPorModelo", SepararPorModelo);
    SepararPorAno = ini.ReadBool(secao, "SepararPorAno", SepararPorAno);
    SetSepararPorMes(ini.ReadBool(secao, "SepararPorMes", separarPorMes_));
    SetSepararPorDia(ini.ReadBool(secao, "SepararPorDia", separarPorDia_));
    DownloadDFe.PathDownload = ini.ReadString(secao, "Download.PathDownload", DownloadDFe.PathDownload);
    DownloadDFe.SepararPorNome = ini.ReadBool(secao, "Download.SepararPorNome", DownloadDFe.SepararPorNome);
}
