#include "app/nivel_menu/frm_nivel_menu.h"

#include "app/dados/dtm_gerencia.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

#include <charconv>
#include <functional>

namespace {

// Top-level items and five levels of sub-items.
constexpr int kProfundidade = 6;

char semAcento(char32_t c)
{
    switch (c) {
    case U'Á':
    case U'À':
    case U'Â':
    case U'Ã':
    case U'á':
    case U'à':
    case U'â':
    case U'ã':
        return 'A';
    case U'É':
    case U'Ê':
    case U'È':
    case U'é':
    case U'ê':
    case U'è':
        return 'E';
    case U'Í':
    case U'Î':
    case U'Ì':
    case U'í':
    case U'î':
    case U'ì':
        return 'I';
    case U'Ó':
    case U'Ò':
    case U'Ô':
    case U'Õ':
    case U'ó':
    case U'ò':
    case U'ô':
    case U'õ':
        return 'O';
    case U'Ú':
    case U'Ù':
    case U'Û':
    case U'ú':
    case U'ù':
    case U'û':
        return 'U';
    case U'Ç':
    case U'ç':
        return 'C';
    case U'ª':
    case U'º':
        return 'o';
    default:
        break;
    }
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'-' ||
        c == U'>' || c == U' ')
        return static_cast<char>(c);
    return 0;
}

int inteiro(std::string_view texto)
{
    int valor = 0;
    const auto fim = texto.data() + texto.size();
    const auto [resto, erro] = std::from_chars(texto.data(), fim, valor);
    if (texto.empty() || erro != std::errc() || resto != fim)
        throw ConversionError("'" + std::string(texto) + "' is not a valid integer value");
    return valor;
}

// Depth first, parent before children, `profundidade` levels from `itens`.
void percorre(std::vector<ItemMenu> &itens, int profundidade, const std::string &caminho,
              const std::string &ordem,
              const std::function<void(ItemMenu &, const std::string &, const std::string &)> &visita)
{
    if (profundidade == 0)
        return;
    for (std::size_t i = 0; i < itens.size(); ++i) {
        ItemMenu &item = itens[i];
        const std::string meuCaminho = caminho.empty() ? item.Caption : caminho + " -> " + item.Caption;
        std::string codigo = std::to_string(i);
        if (codigo.size() < 2)
            codigo.insert(0, 1, '0');
        const std::string minhaOrdem = ordem + codigo;
        visita(item, meuCaminho, minhaOrdem);
        percorre(item.Items, profundidade - 1, meuCaminho, minhaOrdem, visita);
    }
}

} // namespace

int TfrmNivelMenu::nivelUsuario() const
{
    return gerencia_.NivelUsuario;
}

std::string TfrmNivelMenu::TiraAcento(std::string_view texto)
{
    std::string saida;
    for (std::size_t pos = 0; pos < texto.size();) {
        const Utf8Char c = utf8CharAt(texto, pos);
        pos += c.size;
        if (!c.valid)
            continue;
        if (const char simples = semAcento(c.code))
            saida += simples;
    }
    return saida;
}

void TfrmNivelMenu::AjustaNivelUsuario()
{
    if (nivelUsuario() < 1 || Menu == nullptr)
        return;
    gerencia_.dtmConectBanco(true);
    percorre(Menu->Items, kProfundidade, {}, {},
             [this](ItemMenu &item, const std::string &, const std::string &) {
                 item.Visible = AtivaOpcao(item.Name, item.Visible);
             });
}

bool TfrmNivelMenu::AtivaOpcao(std::string_view nome, bool visivel)
{
    if (!visivel)
        return false;
    if (!gerencia_.SelectFile(
            "1", "NIVELMENU", "(NAME=?) AND (COD_NIVEL=?) AND (COD_SISTEMA=?)",
            {db::Value(TiraAcento(nome)), db::Value(nivelUsuario()), db::Value(CodigoSistema)}))
        return true;
    return gerencia_.qrySelect1.campo("LIBERADO").asString() == "T";
}

bool TfrmNivelMenu::TestaNivelUsuario(std::string_view opcao, std::string_view sistema,
                                      std::string_view mensagem)
{
    const int nivel = nivelUsuario();
    if (nivel <= 0)
        return true;
    const int codigoSistema = inteiro(sistema);
    if (gerencia_.SelectFile(
            "1", "NIVELMENU", "(upper(NAME)=?) AND (COD_NIVEL=?) AND (COD_SISTEMA=?) and (LIBERADO='T')",
            {db::Value(upperWithAccents(opcao)), db::Value(nivel), db::Value(codigoSistema)}))
        return TestaOrdemOpcao(gerencia_.qrySelect1.campo("ORDEM").asString(), sistema, mensagem,
                               std::to_string(nivel));
    if (mensagem == "T")
        MsgAtencao(kNaoLiberada);
    return false;
}

bool TfrmNivelMenu::TestaOrdemOpcao(std::string_view ordem, std::string_view sistema,
                                    std::string_view mensagem, std::string_view nivel)
{
    const int codigoSistema = inteiro(sistema);
    const int codigoNivel = inteiro(nivel);
    std::string codigo(ordem);
    while (true) {
        codigo.resize(codigo.size() > 2 ? codigo.size() - 2 : 0);
        if (codigo.empty())
            return true;
        if (gerencia_.SelectFile("1", "NIVELMENU",
                                 "(Ordem=?) AND (COD_NIVEL=?) AND (COD_SISTEMA=?) and (LIBERADO='F')",
                                 {db::Value(codigo), db::Value(codigoNivel), db::Value(codigoSistema)})) {
            if (mensagem == "T")
                MsgAtencao(kNaoLiberada);
            return false;
        }
    }
}

void TfrmNivelMenu::AdicionaOpcao(std::string_view nome, std::string_view caminho, std::string_view ordem)
{
    LinhaNivel linha;
    linha.cod_sistema = CodigoSistema;
    linha.cod_nivel = edtNivel;
    linha.name = TiraAcento(nome);
    linha.caption = TiraAcento(caminho);
    linha.ordem = std::string(ordem);
    if (gerencia_.SelectFile("1", "NIVELMENU", "(NAME=?) AND (COD_NIVEL=?) and (COD_SISTEMA=?)",
                             {db::Value(linha.name), db::Value(edtNivel), db::Value(CodigoSistema)}))
        linha.liberado = gerencia_.qrySelect1.campo("LIBERADO").asString();
    tblNivel.push_back(std::move(linha));
}

void TfrmNivelMenu::GravaNivel()
{
    // An empty list names level 0 of system 0, which no user's menu uses.
    const int nivel = tblNivel.empty() ? 0 : tblNivel.front().cod_nivel;
    const int sistema = tblNivel.empty() ? 0 : tblNivel.front().cod_sistema;
    try {
        gerencia_.DeleteRegistro("NivelMenu", "COD_NIVEL=? and COD_SISTEMA=?",
                                 {db::Value(nivel), db::Value(sistema)});
        for (const LinhaNivel &linha : tblNivel)
            gerencia_.INSERTFILE("NivelMenu",
                                 {"COD_NIVEL", std::to_string(linha.cod_nivel), "NAME", linha.name,
                                  "LIBERADO", linha.liberado, "CAPTION", linha.caption, "ORDEM", linha.ordem,
                                  "COD_SISTEMA", std::to_string(linha.cod_sistema)});
    } catch (...) {
        // The delete must not wait in the transaction for someone else's
        // commit: the stored level stays as it was, and so does the list.
        if (gerencia_.ibtGerencia)
            gerencia_.ibtGerencia->rollbackRetaining();
        throw;
    }
    // A failed commit was rolled back and told; the list stays on screen.
    if (gerencia_.dtmGerenciaCommit())
        tblNivel.clear();
}

void TfrmNivelMenu::FormCreate()
{
    tblNivel.clear();
}

void TfrmNivelMenu::FormActivate()
{
    lblcodigo = "Código do Sistema = " + std::to_string(CodigoSistema);
    if (nivelUsuario() != 0) {
        MsgAtencao("O nível do usuário em uso nao permite o acesso a este modulo...");
        btnSelectEnabled = false;
        btnDeleteEnabled = false;
    }
}

void TfrmNivelMenu::btnSelectClick()
{
    if (edtNivel <= 0) {
        MsgAtencao("Nivel Invalido....");
        return;
    }
    GravaNivel();
    if (Menu == nullptr)
        return;
    percorre(Menu->Items, kProfundidade, {}, {},
             [this](ItemMenu &item, const std::string &caminho, const std::string &ordem) {
                 AdicionaOpcao(item.Name, caminho, ordem);
             });
}

void TfrmNivelMenu::btnDeleteClick()
{
    if (MsgConfirmacao("Eliminar Nivel de Menu ?")) {
        gerencia_.DeleteRegistro("NivelMenu", "(COD_NIVEL=?) and (COD_SISTEMA=?)",
                                 {db::Value(edtNivel), db::Value(CodigoSistema)});
        gerencia_.dtmGerenciaCommit();
    }
    tblNivel.clear();
}

void TfrmNivelMenu::SpeedButton2Click()
{
    for (LinhaNivel &linha : tblNivel)
        linha.liberado = "T";
}

void TfrmNivelMenu::btnSairClick()
{
    fechada = true;
}

void TfrmNivelMenu::FormClose()
{
    GravaNivel();
}
