#include "nfe/services/configuracoes_nfe.h"

#include <charconv>

#include "dfe/component/quib_dfe.h"
#include "foundation/text/text_utils.h"

namespace {

// An ordinal read back from the INI: the current value when it lies outside
// the enumeration.
template <typename E>
E lerOrdinal(const MemIniFile &ini, std::string_view secao, std::string_view chave, E atual)
{
    const int lido = ini.ReadInteger(secao, chave, static_cast<int>(atual));
    for (const auto &nome : kEnumNames<E>)
        if (static_cast<int>(nome.value) == lido)
            return nome.value;
    return atual;
}

template <typename E>
void gravarOrdinal(MemIniFile &ini, std::string_view secao, std::string_view chave, E valor)
{
    ini.WriteInteger(secao, chave, static_cast<int>(valor));
}

} // namespace

// ---- TGeralConfNFe ---------------------------------------------------------------

void TGeralConfNFe::SetModeloDF(TpcnModeloDF value)
{
    modeloDF_ = value;
    modeloDFCodigo_ = value == moNFCe ? 65 : 55;
}

void TGeralConfNFe::SetIdCSC(std::string_view value)
{
    if (value == idCSC_)
        return;
    const std::string_view texto = trimText(value);
    long long numero = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    if (erro != std::errc() || fim != texto.data() + texto.size() || numero < 0)
        numero = 0;
    idCSC_ = InteiroComZeros(numero, 6).substr(0, 6);
}

void TGeralConfNFe::SetCSC(std::string_view value)
{
    if (value == csc_)
        return;
    csc_ = trimText(value);
}

void TGeralConfNFe::SalvarNoIni(MemIniFile &ini) const
{
    TGeralConf::SalvarNoIni(ini);
    const std::string &secao = configuracoes_.SessaoIni;
    ini.WriteString(secao, "IdCSC", IdCSC());
    ini.WriteString(secao, "CSC", CSC());
    gravarOrdinal(ini, secao, "ModeloDF", ModeloDF());
    gravarOrdinal(ini, secao, "VersaoDF", VersaoDF());
    ini.WriteBool(secao, "AtualizarXMLCancelado", AtualizarXMLCancelado);
    gravarOrdinal(ini, secao, "VersaoQRCode", VersaoQRCode);
    ini.WriteBool(secao, "CamposFatObrigatorios", CamposFatObrigatorios);
    gravarOrdinal(ini, secao, "TagNT2018005", ForcarGerarTagRejeicao938);
    gravarOrdinal(ini, secao, "ForcarGerarTagRejeicao906", ForcarGerarTagRejeicao906);
}

void TGeralConfNFe::CarregarDoIni(const MemIniFile &ini)
{
    TGeralConf::CarregarDoIni(ini);
    const std::string &secao = configuracoes_.SessaoIni;
    SetIdCSC(ini.ReadString(secao, "IdCSC", IdCSC()));
    SetCSC(ini.ReadString(secao, "CSC", CSC()));
    SetModeloDF(lerOrdinal(ini, secao, "ModeloDF", ModeloDF()));
    SetVersaoDF(lerOrdinal(ini, secao, "VersaoDF", VersaoDF()));
    AtualizarXMLCancelado = ini.ReadBool(secao, "AtualizarXMLCancelado", AtualizarXMLCancelado);
    VersaoQRCode = lerOrdinal(ini, secao, "VersaoQRCode", VersaoQRCode);
    CamposFatObrigatorios = ini.ReadBool(secao, "CamposFatObrigatorios", CamposFatObrigatorios);
    ForcarGerarTagRejeicao938 = lerOrdinal(ini, secao, "TagNT2018005", ForcarGerarTagRejeicao938);
    ForcarGerarTagRejeicao906 =
        lerOrdinal(ini, secao, "ForcarGerarTagRejeicao906", ForcarGerarTagRejeicao906);
}

// ---- TArquivosConfNFe ------------------------------------------------------------

void TArquivosConfNFe::SalvarNoIni(MemIniFile &ini) const
{
    TArquivosConf::SalvarNoIni(ini);
    const std::string &secao = configuracoes_.SessaoIni;
    ini.WriteBool(secao, "SalvarEvento", SalvarEvento);
    ini.WriteBool(secao, "SalvarApenasNFeProcessadas", SalvarApenasNFeProcessadas);
    ini.WriteBool(secao, "EmissaoPathNFe", EmissaoPathNFe);
    ini.WriteBool(secao, "NormatizarMunicipios", NormatizarMunicipios);
    ini.WriteString(secao, "PathNFe", PathNFe);
    ini.WriteString(secao, "PathInu", PathInu);
    ini.WriteString(secao, "PathEvento", PathEvento);
    ini.WriteString(secao, "PathArquivoMunicipios", PathArquivoMunicipios);
}

void TArquivosConfNFe::CarregarDoIni(const MemIniFile &ini)
{
    TArquivosConf::CarregarDoIni(ini);
    const std::string &secao = configuracoes_.SessaoIni;
    SalvarEvento = ini.ReadBool(secao, "SalvarEvento", SalvarEvento);
    SalvarApenasNFeProcessadas =
        ini.ReadBool(secao, "SalvarApenasNFeProcessadas", SalvarApenasNFeProcessadas);
    EmissaoPathNFe = ini.ReadBool(secao, "EmissaoPathNFe", EmissaoPathNFe);
    NormatizarMunicipios = ini.ReadBool(secao, "NormatizarMunicipios", NormatizarMunicipios);
    PathNFe = ini.ReadString(secao, "PathNFe", PathNFe);
    PathInu = ini.ReadString(secao, "PathInu", PathInu);
    PathEvento = ini.ReadString(secao, "PathEvento", PathEvento);
    PathArquivoMunicipios = ini.ReadString(secao, "PathArquivoMunicipios", PathArquivoMunicipios);
}

std::string TArquivosConfNFe::PathNFePara(TDateTime data, std::string_view cnpj, std::string_view ie,
                                          int modelo)
{
    std::string literal;
    switch (modelo) {
    case 55:
        literal = "NFe";
        break;
    case 65:
        literal = "NFCe";
        break;
    case 0:
        literal = configuracoes_.Owner() != nullptr ? configuracoes_.Owner()->NomeDoModeloDFe() : "NFe";
        break;
    default:
        break;
    }
    return MontarPath(PathNFe, literal, cnpj, ie, data, literal);
}

std::string TArquivosConfNFe::PathEventoPara(TpcnTipoEvento tipoEvento, std::string_view cnpj,
                                             std::string_view ie, TDateTime data)
{
    const std::string caminho = MontarPath(PathEvento, "Evento", cnpj, ie, data);
    return AdicionarLiteral ? SubpastaCriada(caminho, TipoEventoParaNome(tipoEvento)) : caminho;
}

std::string TArquivosConfNFe::PathInutilizacaoPara(std::string_view cnpj, std::string_view ie)
{
    // A voiding belongs to no day: the date flags are off while its folder is
    // made (a zero date would stand for today) and come back afterwards.
    struct SemData {
        TArquivosConf &arquivos;
        bool ano = arquivos.SepararPorAno, mes = arquivos.SepararPorMes(), dia = arquivos.SepararPorDia();
        explicit SemData(TArquivosConf &a) : arquivos(a)
        {
            arquivos.SepararPorAno = false;
            arquivos.SetSepararPorMes(false);
        }
        ~SemData()
        {
            arquivos.SepararPorAno = ano;
            arquivos.SetSepararPorMes(mes);
            arquivos.SetSepararPorDia(dia);
        }
    } semData(*this);
    return MontarPath(PathInu, "Inu", cnpj, ie, 0);
}

// ---- TConfiguracoesNFe -----------------------------------------------------------

TConfiguracoesNFe::TConfiguracoesNFe(TQuibComponent *AOwner) : TConfiguracoes(AOwner)
{
    SessaoIni = "NFe";
    WebServices().NomeRecursoServicos = "QuibNFeServicos";
}

std::unique_ptr<TGeralConf> TConfiguracoesNFe::CriarGeralConf()
{
    return std::make_unique<TGeralConfNFe>(*this);
}

std::unique_ptr<TArquivosConf> TConfiguracoesNFe::CriarArquivosConf()
{
    return std::make_unique<TArquivosConfNFe>(*this);
}
