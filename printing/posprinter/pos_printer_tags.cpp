#include <charconv>
#include <fstream>
#include <sstream>

#include "foundation/text/text_utils.h"
#include "printing/device/raster_image.h"
#include "printing/posprinter/pos_printer.h"
#include "printing/posprinter/pos_tag_arrays.h"

namespace {

using namespace pos_tags;

// clang-format off
const std::vector<std::string_view> kDescFonte = {
    "Liga Expandido", "Desliga Expandido", "Liga Altura Dupla", "Desliga Altura Dupla", "Liga Negrito",
    "Desliga Negrito", "Liga Sublinhado", "Desliga Sublinhado", "Liga Condensado", "Desliga Condensado",
    "Liga Italico", "Desliga Italico", "Fonte Normal"};
const std::vector<std::string_view> kDescFonteExtra = {
    "Liga Fonte Tipo A (normal)", "Liga Fonte Tipo B (condensada)", "Liga Fonte Invertida (Fundo Preto)",
    "Desliga Fonte Invertida", "Liga Alinhamento a Esquerda", "Liga Alinhamento ao Centro",
    "Liga Alinhamento a Direita"};
const std::vector<std::string_view> kDescLinha = {
    "Imprime Linha Simples", "Imprime Linha Dupla", "Pula N Linhas de acordo com propriedade do componente"};
const std::vector<std::string_view> kDescFuncao = {
    "Imprime Logotipo já gravado na Impressora (use utilitário do fabricante)",
    "Efetua Corte, conforme configuração de \"TipoCorte\"",
    "Efetua Corte Parcial no Papel (não disponivel em alguns modelos)", "Efetua Corte Total no papel",
    "Aciona a abertura da Gaveta de Dinheiro", "Emite um Beep na Impressora (não disponivel em alguns modelos)",
    "Reseta as configurações de Fonte Alinhamento.<LF>Ajusta Página de Código e Espaço entre Linhas",
    "Pula para a própxima linha", "Retorna para o Inicio da Linha", "Reseta as configurações de Fonte Alinhamento"};
const std::vector<std::string_view> kDescAlinhamento = {
    "Texto Alinhado a Direita", "Texto Alinhado a Esquerda", "Texto Centralizado"};
const std::vector<std::string_view> kDescBarras = {
    "Cod.Barras EAN8 - 7 numeros e 1 dig.verificador", "Cod.Barras EAN13 - 12 numeros e 1 dig.verificador",
    "Cod.Barras \"Standard 2 of 5\" - apenas números, tamanho livre",
    "Cod.Barras \"Interleaved 2 of 5\" - apenas números, tamanho PAR",
    "Cod.Barras Code11 - apenas números, tamanho livre",
    "Cod.Barras Code39 - Aceita: 0..9,A..Z, ,$,%,*,+,-,.,/, tamanho livre",
    "Cod.Barras Code93 - Aceita: 0..9,A..Z,-,., ,$,/,+,%, tamanho livre",
    "Cod.Barras Code128 - Todos os caracteres ASCII, tamanho livre",
    "Cod.Barras UPCA - 11 numeros e 1 dig.verificador", "Cod.Barras UPCE - 11 numeros e 1 dig.verificador",
    "Cod.Barras CodaBar - Aceita: 0..9,A..D,a..d,$,+,-,.,/,:, tamanho livre",
    "Cod.Barra MSI - Apenas números, 1 dígito verificador", "Cod.Barras Code128 - Subtipo A",
    "Cod.Barras Code128 - Subtipo B (padrão) = <code128>", "Cod.Barras Code128 - Subtipo C (informar valores em BCD)",
    "Cod.Barras QrCode"};

struct TagAvulsa {
    std::string_view tag;
    bool bloco;
    std::string_view descricao;
};
const std::vector<TagAvulsa> kTagsAvulsas = {
    {"<abre_gaveta>",    true,  "Abertura de Gaveta Específica (1 ou 2)"},
    {"<barra_mostrar>",  true,  "Configura se deve exibir conteudo abaixo do Cod.Barras: 0-NAO; 1-SIM"},
    {"<barra_largura>",  true,  "Configura a Largura das Barras do Cod.Barras: 0 a 5. (0=default)"},
    {"<barra_altura>",   true,  "Configura a Altura do Cod.Barras: 0 a 255. (0=default)"},
    {"<qrcode>",         true,  "Imprime QRCode de acordo com \"ConfigQRCode\""},
    {"<qrcode_tipo>",    true,  "Configura o Tipo de QRCode: 1,2"},
    {"<qrcode_largura>", true,  "Configura a Largura do QRCode: 1 a 16"},
    {"<qrcode_error>",   true,  "Configura o Error Level do QRCode: 0 a 3"},
    {"<bmp>",            true,  "Imprime Imagem BMP monocromática. Conteúdo pode ser: Path da Imagem, Stream em Base64 ou AscII Art (0 e 1)"},
    {"<mp>",             false, "Liga Modo de Impressão em Página (em memória)"},
    {"</mp>",            false, "Desliga Modo de Impressão Página (em memória)"},
    {"</mp_imprimir>",   false, "Comanda a Impressão da Página na memória"},
    {"<mp_direcao>",     true,  "Direção Texto no Modo Página: 0-Esquerda/Direta, 1-Topo/Baixo, 2-Direita/Esquerda, 3-Baixo/Topo"},
    {"<mp_esquerda>",    true,  "Posição Inicial Horizontal Modo Página (Esquerda)"},
    {"<mp_topo>",        true,  "Posição Inicial Vertical Modo Página (Topo)"},
    {"<mp_largura>",     true,  "Largura da Região no Modo Página"},
    {"<mp_altura>",      true,  "Altura da Região no Modo Página"},
    {"<mp_espaco>",      true,  "Espaço entre Linhas na Região no Modo Página"},
    {"</mp_configurar>", false, "Envia a configuração de Coordenadas da Região e direção do Modo Página"},
    {"<mp_pos>",         true,  "Define Posição X,Y no Modo Página"},
    {"<logo_imprimir>",  true,  "Configura a Impressão ou não do Logo Tipo: 0-NÃO, 1-SIM (default = 1)"},
    {"<logo_kc1>",       true,  "Configura a posição KC1 do Logo a ser impresso. Ex: 0=48"},
    {"<logo_kc2>",       true,  "Configura a posição KC2 do Logo a ser impresso. Ex: 1=49"},
    {"<logo_fatorx>",    true,  "Configura o aumento Horizonal do Logo, de 1 a 4"},
    {"<logo_fatory>",    true,  "Configura o aumento Vertical do Logo, de 1 a 4"},
    {"<ignorar_tags>",   true,  "Ignora todas as Tags contidas no Bloco"},
};
// clang-format on

// The font tags: the attribute each switches on or off.
struct TagFonte {
    std::string_view tag;
    TQuibPosAtributoFonte atributo;
    bool ligar;
};
// clang-format off
const std::vector<TagFonte> kTagsDeFonte = {
    {"<e>", afExpandido, true},     {"</e>", afExpandido, false},  {"<a>", afAlturaDupla, true},
    {"</a>", afAlturaDupla, false}, {"<n>", afNegrito, true},      {"</n>", afNegrito, false},
    {"<s>", afSublinhado, true},    {"</s>", afSublinhado, false}, {"<c>", afCondensado, true},
    {"</c>", afCondensado, false},  {"<i>", afItalico, true},      {"</i>", afItalico, false},
    {"<in>", afInvertido, true},    {"</in>", afInvertido, false}, {"</fa>", afFonteB, false},
    {"</fb>", afFonteB, true},
};
// clang-format on

// The content as a whole number; `atual` when it is not one.
int numeroOu(std::string_view conteudo, int atual)
{
    conteudo = trimText(conteudo);
    int valor = 0;
    const auto [fim, erro] = std::from_chars(conteudo.data(), conteudo.data() + conteudo.size(), valor);
    return erro == std::errc() && fim == conteudo.data() + conteudo.size() && !conteudo.empty() ? valor
                                                                                                : atual;
}

// A number (0 false, any other true) or the words True/False in any case.
bool booleanoOu(std::string_view conteudo, bool atual)
{
    std::string texto(trimText(conteudo));
    for (char &ch : texto)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (texto == "true")
        return true;
    if (texto == "false")
        return false;
    constexpr int kNaoNumero = -1;
    const int n = numeroOu(texto, kNaoNumero);
    if (n == kNaoNumero && texto != "-1")
        return atual;
    return n != 0;
}

bool ehCodigoBarras(const std::string &tag)
{
    for (std::size_t i = 0; i + 1 < kTagsBarras.size(); ++i)
        if (kTagsBarras[i] == tag)
            return true;
    return false;
}

} // namespace

void TQuibPosPrinter::CarregarTags()
{
    const auto grupo = [](const auto &tags) {
        return std::vector<std::string_view>(tags.begin(), tags.end());
    };
    tags_.AdicionarTags(grupo(kTagsFonte), kDescFonte, false);
    tags_.AdicionarTags(grupo(kTagsFonteExtra), kDescFonteExtra, false);
    tags_.AdicionarTags(grupo(kTagsLinha), kDescLinha, false);
    tags_.AdicionarTags(grupo(kTagsFuncao), kDescFuncao, false);
    tags_.AdicionarTags(grupo(kTagsAlinhamento), kDescAlinhamento, true);
    tags_.AdicionarTags(grupo(kTagsBarras), kDescBarras, true);
    for (const TagAvulsa &t : kTagsAvulsas)
        tags_.Tags().NovaTag(t.tag, t.descricao, t.bloco);
}

std::string TQuibPosPrinter::TraduzirTag(const std::string &tag)
{
    if (modelo_atual_->TagsNaoSuportadas().contains(tag))
        return {};
    std::string result;
    if (!modelo_atual_->TraduzirTagModelo(tag, result))
        result = TraduzirTagGenerica(tag);
    AtualizarEstadoFonte(tag);
    return result;
}

std::string TQuibPosPrinter::Corte(bool parcial) const
{
    const TQuibPosComandos &c = modelo_atual_->Comandos();
    std::string result = modelo_atual_->ComandoPularLinhas(LinhasEntreCupons);
    if (CortaPapel)
        result += parcial ? c.CorteParcial : c.CorteTotal;
    return result;
}

std::string TQuibPosPrinter::TraduzirTagGenerica(const std::string &tag)
{
    TQuibPosPrinterClass &m = *modelo_atual_;
    const TQuibPosComandos &c = m.Comandos();
    for (const TagFonte &f : kTagsDeFonte)
        if (f.tag == tag)
            return m.ComandoFonte(f.atributo, f.ligar);

    if (tag == "</ae>")
        return c.AlinhadoEsquerda;
    if (tag == "</ce>")
        return c.AlinhadoCentro;
    if (tag == "</ad>")
        return c.AlinhadoDireita;
    if (tag == "</fn>")
        return c.FonteNormal;
    if (tag == "</zera>")
        return c.Zera + m.ComandoInicializa();
    if (tag == "</reset>")
        return c.Zera;
    if (tag == "</linha_simples>")
        return std::string(static_cast<std::size_t>(std::max(Colunas(), 0)), '-');
    if (tag == "</linha_dupla>")
        return std::string(static_cast<std::size_t>(std::max(Colunas(), 0)), '=');
    if (tag == "</pular_linhas>")
        return m.ComandoPularLinhas(LinhasEntreCupons);
    if (tag == "</corte_parcial>" || (tag == "</corte>" && TipoCorte == ctParcial))
        return Corte(true);
    if (tag == "</corte_total>" || tag == "</corte>")
        return Corte(false);
    if (tag == "</abre_gaveta>")
        return m.ComandoGaveta(1);
    if (tag == "</beep>")
        return c.Beep;
    if (tag == "</logo>")
        return config_.ConfigLogo.IgnorarLogo ? std::string() : m.ComandoImprimirLogo();
    if (tag == "</lf>")
        return m.ComandoPularLinhas(1);
    if (tag == "</cr>")
        return "\r";
    if (tag == "<mp>")
        return c.LigaModoPagina;
    if (tag == "</mp>")
        return c.ImprimePagina + c.DesligaModoPagina;
    if (tag == "</mp_imprimir>")
        return c.ImprimePagina;
    if (tag == "</mp_configurar>")
        return m.ComandoConfigurarModoPagina();
    return {};
}

void TQuibPosPrinter::AtualizarEstadoFonte(const std::string &tag)
{
    TQuibPosEstadoFonte &e = config_.EstadoFonte;
    for (const TagFonte &f : kTagsDeFonte)
        if (f.tag == tag) {
            if (f.ligar)
                e.Incluir(f.atributo);
            else
                e.Excluir(f.atributo);
            return;
        }
    if (tag == "</ae>")
        config_.Alinhamento = alEsquerda;
    else if (tag == "</ce>")
        config_.Alinhamento = alCentro;
    else if (tag == "</ad>")
        config_.Alinhamento = alDireita;
    else if (tag == "<mp>")
        emModoPagina_ = true;
    else if (tag == "</mp>")
        emModoPagina_ = false;
    else if (tag == "</fn>")
        e = {afNormal};
    else if (tag == "</zera>" || tag == "</reset>") {
        const bool fonteB = e.Contem(afFonteB);
        e = {afNormal};
        if (fonteB)
            e.Incluir(afFonteB);
        inicializada_ = tag == "</zera>";
    }
}

std::string TQuibPosPrinter::TraduzirTagBloco(const std::string &tag, const std::string &conteudo)
{
    if (modelo_atual_->TagsNaoSuportadas().contains(tag))
        return conteudo;
    std::string result;
    if (modelo_atual_->TraduzirTagBlocoModelo(tag, conteudo, result))
        return result;
    return TraduzirBlocoGenerico(tag, conteudo);
}

std::string TQuibPosPrinter::TraduzirBlocoGenerico(const std::string &tag, const std::string &conteudo)
{
    TQuibPosPrinterClass &m = *modelo_atual_;
    TQuibConfigQRCode &qr = config_.ConfigQRCode;
    TQuibConfigModoPagina &mp = config_.ConfigModoPagina;
    TQuibConfigLogo &logo = config_.ConfigLogo;
    auto byteDe = [&conteudo](std::uint8_t atual) {
        return static_cast<std::uint8_t>(numeroOu(conteudo, atual) & 0xFF);
    };

    if (tag == "<ae>" || tag == "<ad>" || tag == "<ce>")
        return Alinhar(tag, conteudo);
    if (tag == "<abre_gaveta>")
        return m.ComandoGaveta(numeroOu(conteudo, 1));
    if (tag == "<qrcode_tipo>")
        qr.Tipo(numeroOu(conteudo, qr.Tipo()));
    else if (tag == "<qrcode_largura>")
        qr.LarguraModulo(numeroOu(conteudo, qr.LarguraModulo()));
    else if (tag == "<qrcode_error>")
        qr.ErrorLevel(numeroOu(conteudo, qr.ErrorLevel()));
    else if (tag == "<qrcode>")
        return m.ComandoQRCode(conteudo);
    else if (tag == "<bmp>")
        return TraduzirBlocoBMP(conteudo);
    else if (tag == "<mp_direcao>")
        mp.Direcao = static_cast<TQuibPosDirecao>(std::clamp(numeroOu(conteudo, 0), 0, 3));
    else if (tag == "<mp_esquerda>")
        mp.Esquerda = numeroOu(conteudo, mp.Esquerda);
    else if (tag == "<mp_topo>")
        mp.Topo = numeroOu(conteudo, mp.Topo);
    else if (tag == "<mp_altura>")
        mp.Altura = numeroOu(conteudo, mp.Altura);
    else if (tag == "<mp_largura>")
        mp.Largura = numeroOu(conteudo, mp.Largura);
    else if (tag == "<mp_espaco>")
        mp.EspacoEntreLinhas = byteDe(mp.EspacoEntreLinhas);
    else if (tag == "<mp_pos>") {
        const std::size_t virgula = conteudo.find(',');
        const int x = numeroOu(conteudo.substr(0, virgula), 0);
        const int y = virgula == std::string::npos ? 0 : numeroOu(conteudo.substr(virgula + 1), 0);
        return m.ComandoPosicaoModoPagina({x, y});
    } else if (tag == "<barra_mostrar>")
        config_.ConfigBarras.MostrarCodigo = booleanoOu(conteudo, config_.ConfigBarras.MostrarCodigo);
    else if (tag == "<barra_largura>")
        config_.ConfigBarras.LarguraLinha = numeroOu(conteudo, config_.ConfigBarras.LarguraLinha);
    else if (tag == "<barra_altura>")
        config_.ConfigBarras.Altura = numeroOu(conteudo, config_.ConfigBarras.Altura);
    else if (tag == "<logo_imprimir>")
        logo.IgnorarLogo = !booleanoOu(conteudo, !logo.IgnorarLogo);
    else if (tag == "<logo_kc1>")
        logo.KeyCode1 = byteDe(logo.KeyCode1);
    else if (tag == "<logo_kc2>")
        logo.KeyCode2 = byteDe(logo.KeyCode2);
    else if (tag == "<logo_fatorx>")
        logo.FatorX = byteDe(logo.FatorX);
    else if (tag == "<logo_fatory>")
        logo.FatorY = byteDe(logo.FatorY);
    else if (ehCodigoBarras(tag))
        return m.ComandoCodigoBarras(tag, AjustarCodigoBarras(conteudo, tag));
    else
        return conteudo;
    return {};
}

std::string TQuibPosPrinter::TraduzirBlocoBMP(const std::string &conteudo)
{
    const std::string_view texto = trimText(conteudo);
    if (texto.empty())
        return {};
    const std::string_view inicio = texto.substr(0, 10);
    if (inicio.find_first_not_of("01") == std::string_view::npos) {
        std::vector<std::string> linhas;
        std::size_t pos = 0;
        while (pos <= texto.size()) {
            std::size_t fim = texto.find('\n', pos);
            std::string_view linha =
                texto.substr(pos, fim == std::string_view::npos ? texto.npos : fim - pos);
            linhas.emplace_back(trimText(linha));
            if (fim == std::string_view::npos)
                break;
            pos = fim + 1;
        }
        int width = 0;
        int height = 0;
        std::string raster;
        AscIIParaRaster(linhas, width, height, raster);
        if (raster.empty() || width <= 0 || height <= 0)
            return {};
        return modelo_atual_->ComandoImagemRaster(raster, width, height);
    }
    int width = 0;
    int height = 0;
    std::string raster;
    if (Base64Valido(texto)) {
        std::istringstream stream(DecodificaBase64(texto));
        MonoBMPParaRaster(stream, true, width, height, raster);
    } else {
        const std::string caminho(texto);
        std::ifstream arquivo(caminho, std::ios::binary);
        if (!arquivo)
            throw EPosPrinterException("Arquivo: " + caminho + " não encontrado");
        BitmapParaRaster(TQuibBitmap::LerBMP(arquivo), true, width, height, raster);
    }
    return modelo_atual_->ComandoImagemRaster(raster, width, height);
}
