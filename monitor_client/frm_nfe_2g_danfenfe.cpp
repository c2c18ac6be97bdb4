// Every statement of the note screen on DANFENFE, Carta_Correcao and
// Eventos_Nfe (and its read of the emitters' CNPJs). Values go in as bound
// parameters: dates as dates, the branch as a number; texts are cut to their
// columns. A note's row is found by number, branch and series.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/dates/date_time.h"
#include "foundation/text/utf8.h"

#include <charconv>

namespace {

constexpr const char *kLinhaDaNota = "Nro_Nota=? and cod_filial=? and Serie_Nota=?";

db::Value texto(std::string_view valor, std::size_t largura)
{
    return db::Value(std::string(utf8Prefix(valor, largura)));
}

// "MM/DD/AAAA" as the ISO date text the engine reads into a DATE parameter
// (the layer hands parameters over as text, and a DATE refuses a time part);
// null when it is no date.
db::Value dataDoEnvio(std::string_view mmddaaaa)
{
    int mes = 0, dia = 0, ano = 0;
    TDateTime data = 0;
    if (mmddaaaa.size() != 10 ||
        std::from_chars(mmddaaaa.data(), mmddaaaa.data() + 2, mes).ec != std::errc{} ||
        std::from_chars(mmddaaaa.data() + 3, mmddaaaa.data() + 5, dia).ec != std::errc{} ||
        std::from_chars(mmddaaaa.data() + 6, mmddaaaa.data() + 10, ano).ec != std::errc{} ||
        !tryEncodeDate(ano, mes, dia, data))
        return {};
    return db::Value(ZerosEsquerda(ano, 4) + "-" + ZerosEsquerda(mes, 2) + "-" + ZerosEsquerda(dia, 2));
}

int comoInteiro(std::string_view digitos)
{
    int valor = 0;
    std::from_chars(digitos.data(), digitos.data() + digitos.size(), valor);
    return valor;
}

} // namespace

std::string TfrmNFE_2G::SerieDaLinha(int serie)
{
    return std::to_string(serie).substr(0, 2);
}

int TfrmNFE_2G::codFilial() const
{
    return comoInteiro(SomenteNumeros(CodFilial));
}

bool TfrmNFE_2G::commit()
{
    return modulo().dtmNFECommit();
}

int TfrmNFE_2G::EstadoDaNota(int numero, int serie)
{
    if (!modulo().SelectFile("3", "DANFENFE", kLinhaDaNota, {numero, codFilial(), SerieDaLinha(serie)}))
        return -1;
    return modulo().qrySelect3.campo("STATUS_NFE").asInteger();
}

std::optional<std::string> TfrmNFE_2G::chaveEmEstado(int numero, int serie, int estado)
{
    if (!modulo().SelectFile("2", "DANFENFE", std::string(kLinhaDaNota) + " and Status_NFE = ?",
                             {numero, codFilial(), SerieDaLinha(serie), estado}))
        return std::nullopt;
    return modulo().qrySelect2.campo("CHAVE_NFE").asString();
}

void TfrmNFE_2G::gravaNotaRespondida(int numero, int serie, bool aceito, std::string_view emailEnvio,
                                     std::string_view emailTransp)
{
    const bool denegado = RetResultado == 110 || RetResultado == 301 || RetResultado == 302;
    std::string atribuicoes =
        "Resultado=?,Chave_NFE=?,Mensagem=?,Mensagem_2=?,Recibo=?,NroLote=?,NProtocolo=?";
    std::vector<db::Value> valores = {
        RetResultado,         texto(RetChave, 60),      texto(RetMensagem, 30), texto(RetMensagem2, 400),
        texto(RetRecibo, 30), texto(RetNumeroLote, 30), texto(RetProtocolo, 30)};
    if (aceito) {
        atribuicoes += ",Status_NFE=2,Des_Status_NFE='CONFIRMADA',Email_Envio=?,Email_Transp=?";
        valores.push_back(texto(emailEnvio, 60));
        valores.push_back(texto(emailTransp, 60));
    } else if (denegado) {
        atribuicoes += ",Status_NFE=6";
    }
    valores.insert(valores.end(), {numero, codFilial(), SerieDaLinha(serie)});
    modulo().UPDATEFILE("DANFENFE", atribuicoes, kLinhaDaNota, valores);
}

void TfrmNFE_2G::gravaConsultaRespondida(int numero, int serie, bool aceito)
{
    std::string atribuicoes = "Resultado=?,Mensagem=?,Mensagem_2=?,Recibo=?,NroLote=?";
    std::vector<db::Value> valores = {RetResultado, texto(RetMensagem, 30), texto(RetMensagem2, 400),
                                      texto(RetRecibo, 30), texto(RetNumeroLote, 30)};
    if (!RetProtocolo.empty()) {
        atribuicoes += ",NProtocolo=?";
        valores.push_back(texto(RetProtocolo, 30));
    }
    if (!RetChave.empty()) {
        atribuicoes += ",Chave_NFE=?";
        valores.push_back(texto(RetChave, 60));
    }
    if (aceito && RetResultado == 101)
        atribuicoes += ",Status_NFE=6,Des_Status_NFE='CANCELADA'";
    else if (aceito && RetResultado == 100)
        atribuicoes += ",Status_NFE=5,Des_Status_NFE='DANFE IMPRESSO'";
    valores.insert(valores.end(), {numero, codFilial(), SerieDaLinha(serie)});
    modulo().UPDATEFILE("DANFENFE", atribuicoes, kLinhaDaNota, valores);
}

void TfrmNFE_2G::gravaCartaRespondida(int numero, int serie)
{
    modulo().UPDATEFILE("Carta_Correcao", " cod_resp=135", "Nro_Nota=? and Serie_Nota=?", {numero, serie});
}

void TfrmNFE_2G::gravaEventoRespondido(int numero, int serie)
{
    modulo().UPDATEFILE("Eventos_Nfe", " cod_resp=135", "Nro_Nota=? and Serie_Nota=? and Nome_Evento=?",
                        {numero, serie, "MANIFESTA DESTINATARIO"});
}

void TfrmNFE_2G::gravaImpressaoRespondida(int numero, int serie, bool aceito)
{
    if (aceito)
        modulo().UPDATEFILE(
            "DANFENFE", "Status_NFE=4,Mensagem=?,Mensagem_3=?,Des_Status_NFE='DANFE IMPRESSO'", kLinhaDaNota,
            {texto(RetMensagem, 30), texto(RetMensagem2, 400), numero, codFilial(), SerieDaLinha(serie)});
    else
        modulo().UPDATEFILE("DANFENFE", "Resultado=?,Mensagem=?,Mensagem_3=?", kLinhaDaNota,
                            {RetResultado, texto(RetMensagem, 30), texto(RetMensagem2, 400), numero,
                             codFilial(), SerieDaLinha(serie)});
}

void TfrmNFE_2G::gravaEmailRespondido(int numero, int serie)
{
    modulo().UPDATEFILE(
        "DANFENFE", "Mensagem=?,Mensagem_4=?", kLinhaDaNota,
        {texto(RetMensagem, 30), texto(RetMensagem2, 400), numero, codFilial(), SerieDaLinha(serie)});
}

void TfrmNFE_2G::reenfileiraNota(int numero, int serie)
{
    const db::Value data = dataDoEnvio(DataEnvio);
    const int timer = comoInteiro(TimerEnvio);
    if (EstadoDaNota(numero, serie) != -1) {
        modulo().UPDATEFILE("DANFENFE", "Status_NFE=1,Des_Status_NFE='REENVIADA',Data_Envio=?,Timer_Envio=?",
                            kLinhaDaNota, {data, timer, numero, codFilial(), SerieDaLinha(serie)});
        return;
    }
    db::executeSql(*modulo().ibtNFE,
                   "Insert into DANFENFE (Nro_Nota,Serie_Nota,cod_filial,Resultado,Status_NFE,Des_Status_NFE,"
                   "Nro_Aleat_Envio,Data_Envio,Timer_Envio) Values (?,?,?,0,1,'ENVIADA',?,?,?)",
                   {numero, SerieDaLinha(serie), codFilial(), CodigoNumerico, data, timer});
}

std::vector<std::string> TfrmNFE_2G::cnpjsEmitentes()
{
    std::vector<std::string> cnpjs;
    db::Statement consulta(*modulo().ibtNFE, "select CNPJ_EMI from CONFIGNFE");
    db::Cursor linhas = consulta.open();
    while (linhas.next())
        cnpjs.push_back(SomenteNumeros(linhas.at(0).asString()));
    return cnpjs;
}

void TfrmNFE_2G::abreGrade(GradeDanfe &grade)
{
    static constexpr const char *estados[] = {"Status_NFE = 1", "((Status_NFE = 2) or (Status_NFE = 3) )",
                                              "((Status_NFE = 4) or (Status_NFE = 5) )"};
    const std::size_t atual = grade.atual;
    grade.fecha();
    db::Statement consulta(*modulo().ibtNFE, std::string("select * from DANFENFE where ") +
                                                 estados[grade.grupo] +
                                                 " and (Data_Envio=?) and (Timer_Envio=?)"
                                                 " order by Nro_Nota, Serie_Nota");
    db::Cursor linhas = consulta.open({dataDoEnvio(DataEnvio), comoInteiro(TimerEnvio)});
    while (linhas.next()) {
        LinhaDanfe linha;
        linha.nroNota = linhas.field("NRO_NOTA").asInteger();
        linha.serie = linhas.field("SERIE_NOTA").asString();
        linha.status = linhas.field("STATUS_NFE").asInteger();
        linha.desStatus = linhas.field("DES_STATUS_NFE").asString();
        linha.chave = linhas.field("CHAVE_NFE").asString();
        linha.resultado = linhas.field("RESULTADO").asString();
        linha.mensagem = linhas.field("MENSAGEM").asString();
        linha.mensagem2 = linhas.field("MENSAGEM_2").asString();
        linha.mensagem3 = linhas.field("MENSAGEM_3").asString();
        linha.mensagem4 = linhas.field("MENSAGEM_4").asString();
        linha.emailEnvio = linhas.field("EMAIL_ENVIO").asString();
        grade.linhas.push_back(std::move(linha));
    }
    grade.aberta = true;
    grade.atual = atual < grade.linhas.size() ? atual : 0;
}

namespace {

// The columns a resend resets, in the order linhaAntesDoEnvio reads them.
constexpr const char *kRestauraEnvio =
    "Status_NFE=?,Des_Status_NFE=?,Chave_NFE=?,Mensagem=?,Mensagem_2=?,Email_Envio=?,Recibo=?,NroLote=?,"
    "NProtocolo=?,Data_Envio=?,Timer_Envio=?";

} // namespace

std::vector<db::Value> TfrmNFE_2G::linhaAntesDoEnvio(int numero, int serie)
{
    std::vector<db::Value> antes;
    if (!modulo().SelectFile("3", "DANFENFE", kLinhaDaNota, {numero, codFilial(), SerieDaLinha(serie)}))
        return antes;
    for (const char *coluna :
         {"STATUS_NFE", "DES_STATUS_NFE", "CHAVE_NFE", "MENSAGEM", "MENSAGEM_2", "EMAIL_ENVIO", "RECIBO",
          "NROLOTE", "NPROTOCOLO", "DATA_ENVIO", "TIMER_ENVIO"}) {
        const db::Value &valor = modulo().qrySelect3.campo(coluna);
        // A date goes back as the date text the engine reads.
        antes.push_back(valor.kind() == db::Value::Kind::DateTime ? db::Value(valor.asString()) : valor);
    }
    return antes;
}

void TfrmNFE_2G::marcaEnvio(bool novo, int numero, int serie)
{
    const db::Value data = dataDoEnvio(DataEnvio);
    const int timer = comoInteiro(TimerEnvio);
    if (novo) {
        db::executeSql(*modulo().ibtNFE,
                       "Insert into DANFENFE (Nro_Nota,Serie_Nota,cod_filial,Resultado,Status_NFE,"
                       "Des_Status_NFE,Nro_Aleat_Envio,Data_Envio,Timer_Envio) "
                       "Values (?,?,?,0,1,'ENVIADA',?,?,?)",
                       {numero, SerieDaLinha(serie), codFilial(), CodigoNumerico, data, timer});
        return;
    }
    modulo().UPDATEFILE("DANFENFE",
                        "Status_NFE=1,Des_Status_NFE='REENVIADA',Chave_NFE='',Mensagem='',Mensagem_2='',"
                        "email_envio='',Recibo='',nroLote='',nProtocolo='',Data_Envio=?,Timer_Envio=?",
                        kLinhaDaNota, {data, timer, numero, codFilial(), SerieDaLinha(serie)});
}

void TfrmNFE_2G::desfazEnvio(bool novo, int numero, int serie, const std::vector<db::Value> &antes)
{
    if (novo) {
        modulo().DeleteRegistro("DANFENFE", kLinhaDaNota, {numero, codFilial(), SerieDaLinha(serie)});
        return;
    }
    if (antes.empty())
        return;
    std::vector<db::Value> valores = antes;
    valores.insert(valores.end(), {numero, codFilial(), SerieDaLinha(serie)});
    modulo().UPDATEFILE("DANFENFE", kRestauraEnvio, kLinhaDaNota, valores);
}

void TfrmNFE_2G::marcaReimpressao(int numero, int serie)
{
    modulo().UPDATEFILE(
        "DANFENFE", "Data_Envio=?,Timer_Envio=?", kLinhaDaNota,
        {dataDoEnvio(DataEnvio), comoInteiro(TimerEnvio), numero, codFilial(), SerieDaLinha(serie)});
}

void TfrmNFE_2G::marcaEstadoDaChave(const std::string &chave, int estado, const std::string &descricao,
                                    const std::string &emailEnvio, const std::string &emailTransp)
{
    std::string atribuicoes = "Status_NFE=?,Des_Status_NFE=?";
    std::vector<db::Value> valores = {estado, texto(descricao, 30)};
    if (!emailEnvio.empty()) {
        atribuicoes += ",Email_Envio=?";
        valores.push_back(texto(emailEnvio, 60));
    }
    if (!emailTransp.empty()) {
        atribuicoes += ",Email_Transp=?";
        valores.push_back(texto(emailTransp, 60));
    }
    valores.push_back(chave);
    modulo().UPDATEFILE("DANFENFE", atribuicoes, "Chave_NFE=?", valores);
}
