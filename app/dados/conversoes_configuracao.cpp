#include "app/dados/conversoes_configuracao.h"

#include "app/dados/configuracao_empresa.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/shell_constants.h"
#include "foundation/base/quib_exception.h"

#include <functional>
#include <limits>
#include <string>

namespace {

std::string empresaDaLinha(const db::Value &cnpj)
{
    return SomenteNumeros(cnpj.isNull() ? std::string() : cnpj.asString());
}

// Walks CONFIGNFE from its first row to its last, with CnpjEmpresa set to
// each row's company.
void paraCadaEmpresa(TdtmNFE_grd &modulo, const std::function<void(ConfiguracaoEmpresa &)> &converte)
{
    if (!modulo.tblConfigNFE || !modulo.tblConfigNFE->active())
        modulo.dtmNFEOpen({"ConfigNFE"});
    db::DataSet &tabela = *modulo.tblConfigNFE;
    ConfiguracaoEmpresa ini(modulo);
    for (tabela.first(); !tabela.eof(); tabela.next()) {
        modulo.CnpjEmpresa = empresaDaLinha(tabela.field("CNPJ_EMI"));
        converte(ini);
    }
}

// The flat settings of one company as the conversion reads them.
class Plano {
  public:
    Plano(TdtmNFE_grd &modulo) : modulo_(modulo) {}

    std::string copia(const char *chave)
    {
        return modulo_.Busca_Valor_Referencia(modulo_.CnpjEmpresa, CampoRef(chave));
    }
    // "0" put in front and read as a decimal integer.
    int numero(const char *chave)
    {
        const std::string texto = "0" + copia(chave);
        long long valor = 0;
        for (char c : texto) {
            if (c < '0' || c > '9' || valor > std::numeric_limits<int>::max())
                throw ConversionError("Empresa " + modulo_.CnpjEmpresa + ": o valor \"" + texto.substr(1) +
                                      "\" da configuração " + chave + " não é um número.");
            valor = valor * 10 + (c - '0');
        }
        if (valor > std::numeric_limits<int>::max())
            throw ConversionError("Empresa " + modulo_.CnpjEmpresa + ": o valor \"" + texto.substr(1) +
                                  "\" da configuração " + chave + " não é um número.");
        return static_cast<int>(valor);
    }
    bool zero(const char *chave) { return numero(chave) == 0; }
    bool sim(const char *chave) { return copia(chave) == "SIM"; }

  private:
    TdtmNFE_grd &modulo_;
};

void converte73(TdtmNFE_grd &modulo, ConfiguracaoEmpresa &ini)
{
    Plano f(modulo);
    const std::string pasta = PastaPrograma();
    ini.Ini_WriteInteger("Certificado", "SSLLib", 2);
    ini.Ini_WriteInteger("Certificado", "CryptLib", 2);
    ini.Ini_WriteInteger("Certificado", "HttpLib", 1);
    ini.Ini_WriteInteger("Certificado", "XmlSignLib", 3);
    ini.Ini_WriteString("Certificado", "Caminho", f.copia("edtCaminho"));
    ini.Ini_WriteString("Certificado", "Senha", f.copia("edtSenha"));
    ini.Ini_WriteString("Certificado", "NumSerie", f.copia("edtNumSerie"));

    ini.Ini_WriteBool("Geral", "AtualizarXML", true);
    ini.Ini_WriteBool("Geral", "ExibirErroSchema", false);
    ini.Ini_WriteString("Geral", "FormatoAlerta", "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.");
    ini.Ini_WriteInteger("Geral", "FormaEmissao", 0);
    ini.Ini_WriteInteger("Geral", "FormaEmissaoNFCE", 0);
    ini.Ini_WriteInteger("Geral", "ModeloDF", 0);
    ini.Ini_WriteInteger("Geral", "VersaoDF", 3);
    ini.Ini_WriteString("Geral", "IdToken", f.copia("edtTokenId"));
    ini.Ini_WriteString("Geral", "Token", f.copia("edtTokenNro"));
    ini.Ini_WriteBool("Geral", "RetirarAcentos", true);
    ini.Ini_WriteBool("Geral", "Salvar", false);
    ini.Ini_WriteString("Geral", "PathSalvar", pasta + "Logs");
    ini.Ini_WriteString("Geral", "PathSchemas", pasta + "Schemas40");
    ini.Ini_WriteBool("Geral", "OpenDanfe", f.zero("chkOpenDanfe"));
    ini.Ini_WriteBool("Geral", "OpenEmail", f.zero("chkOpenEmail"));
    ini.Ini_WriteBool("Geral", "ValidarXml", f.zero("chkValidarXml"));
    ini.Ini_WriteBool("Geral", "VerTestes", f.sim("chkVerTestes"));
    ini.Ini_WriteBool("Geral", "OcultaPreview", f.sim("chkOcultaPreview"));

    ini.Ini_WriteString("WebService", "UF", f.copia("cbUF"));
    ini.Ini_WriteInteger("WebService", "UF_Index", f.numero("cbUF_Index"));
    ini.Ini_WriteInteger("WebService", "Ambiente", f.numero("rgTipoAmb"));
    ini.Ini_WriteBool("WebService", "Visualizar", false);
    ini.Ini_WriteBool("WebService", "SalvarSOAP", false);
    ini.Ini_WriteBool("WebService", "AjustarAut", false);
    ini.Ini_WriteString("WebService", "Aguardar", "1");
    ini.Ini_WriteString("WebService", "Tentativas", "5");
    ini.Ini_WriteString("WebService", "Intervalo", "0");
    ini.Ini_WriteInteger("WebService", "TimeOut", 5000);
    ini.Ini_WriteInteger("WebService", "SSLType", 1);

    ini.Ini_WriteString("Proxy", "Host", f.copia("edtProxyHost"));
    ini.Ini_WriteString("Proxy", "Porta", f.copia("edtProxyPorta"));
    ini.Ini_WriteString("Proxy", "User", f.copia("edtProxyUser"));
    ini.Ini_WriteString("Proxy", "Pass", f.copia("edtProxySenha"));

    for (const char *chave : {"Salvar", "PastaMensal", "AddLiteral"})
        ini.Ini_WriteBool("Arquivos", chave, true);
    ini.Ini_WriteBool("Arquivos", "EmissaoPathNFe", false);
    for (const char *chave : {"SalvarPathEvento", "SepararPorCNPJ", "SepararPorModelo"})
        ini.Ini_WriteBool("Arquivos", chave, true);
    for (const char *chave : {"PathNFe", "PathCan", "PathInu", "PathDPEC", "PathCCe", "PathEvento"})
        ini.Ini_WriteString("Arquivos", chave, pasta + "NFE40");

    // clang-format off
    static const std::pair<const char *, const char *> kEmitente[] = {
        {"CNPJ", "edtEmitCNPJ"},           {"IE", "edtEmitIE"},             {"IM", "edtEmitIM"},
        {"RazaoSocial", "edtEmitRazao"},   {"Fantasia", "edtEmitFantasia"}, {"Fone", "edtEmitFone"},
        {"CEP", "edtEmitCEP"},             {"Logradouro", "edtEmitLogradouro"},
        {"Numero", "edtEmitNumero"},       {"Complemento", "edtEmitComp"},  {"Bairro", "edtEmitBairro"},
        {"CodCidade", "edtEmitCodCidade"}, {"Cidade", "edtEmitCidade"},     {"UF", "edtEmitUF"},
    };
    // clang-format on
    for (const auto &[chave, plana] : kEmitente)
        ini.Ini_WriteString("Emitente", chave, f.copia(plana));

    ini.Ini_WriteString("Email", "Host", f.copia("edtSmtpHost"));
    ini.Ini_WriteString("Email", "Port", f.copia("edtSmtpPort"));
    ini.Ini_WriteString("Email", "User", f.copia("edtSmtpUser"));
    ini.Ini_WriteString("Email", "Pass", f.copia("edtSmtpPass"));
    ini.Ini_WriteString("Email", "Assunto", f.copia("edtEmailAssunto"));
    ini.Ini_WriteBool("Email", "SSL", f.sim("cbEmailSSL"));
    ini.Ini_WriteStringMemo("Email", "Mensagem", f.copia("mmEmailMsg"));

    ini.Ini_WriteInteger("DANFE", "Tipo", f.numero("rgTipoDanfe"));
    ini.Ini_WriteString("DANFE", "LogoMarca", f.copia("edtLogoMarca"));
    ini.Ini_WriteInteger("DANFE", "tamanhoDafonte", f.numero("tamanhoDafonte"));
    ini.Ini_WriteInteger("DANFE", "alturaDaLinha", f.numero("alturaDaLinha"));
    ini.Ini_WriteInteger("DANFE", "Mod_Imp_Danfe", f.numero("rgMod_Imp_Danfe"));
}

void converte85(ConfiguracaoEmpresa &ini)
{
    ini.Ini_WriteString("Responsavel", "rtCNPJ", kRespTecnicoCnpj);
    ini.Ini_WriteString("Responsavel", "rtNome", kRespTecnicoNome);
    ini.Ini_WriteString("Responsavel", "rtEmail", kRespTecnicoEmail);
    ini.Ini_WriteString("Responsavel", "rtFone", kRespTecnicoFone);
    ini.Ini_WriteString("Responsavel", "rtIdCSRT", kRespTecnicoIdCsrt);
    const bool parana = ini.Ini_ReadString("Emitente", "UF", "") == "PR";
    ini.Ini_WriteBool("Responsavel", "rtEnviarDados", parana);
    ini.Ini_WriteBool("Responsavel", "rtEnviarCSRT", parana);
}

} // namespace

void passo28(TdtmNFE_grd &modulo)
{
    modulo.SelectFileOrdemCampo("1", "CONFIGNFE", "1=1", {}, "CNPJ_EMI");
    std::vector<std::string> empresas;
    for (; !modulo.qrySelect1.eof(); modulo.qrySelect1.proximo())
        empresas.push_back(empresaDaLinha(modulo.qrySelect1.campo("CNPJ_EMI")));
    modulo.qrySelect1.fecha();
    // The table has no section column yet at this step, so the row is
    // written with the three columns it has (the flat writer's rule:
    // update the company's rows of the key, else insert one).
    for (const std::string &cnpj : empresas) {
        const std::vector<db::Value> chave{db::Value(cnpj), db::Value("CHKVALIDARXML")};
        if (modulo.SelectFile("1", "CONFIG_GERAL", "CNPJ = ? AND CAMPO_REF = ?", chave))
            modulo.UPDATEFILE("CONFIG_GERAL", "CAMPO_VALOR = '0'", "CNPJ = ? AND CAMPO_REF = ?", chave);
        else
            modulo.INSERTFILE("CONFIG_GERAL",
                              {"CNPJ", cnpj, "CAMPO_REF", "CHKVALIDARXML", "CAMPO_VALOR", "0"});
        modulo.qrySelect1.fecha();
    }
}

void passo73(TdtmNFE_grd &modulo)
{
    paraCadaEmpresa(modulo, [&](ConfiguracaoEmpresa &ini) { converte73(modulo, ini); });
}

void passo85(TdtmNFE_grd &modulo)
{
    paraCadaEmpresa(modulo, [](ConfiguracaoEmpresa &ini) { converte85(ini); });
}
