#include "nfe/document/nfe_reader_txt.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "nfe/document/detail/nfe_reader_txt_records.h"
#include "nfe/document/nfe_model.h"

namespace {

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kVersoesConhecidas = "|1.10|2.00|3.10|4.00|";

bool cabecalhoValido(std::string_view linha)
{
    return linha.starts_with("NOTAFISCAL") || linha.starts_with("NOTA FISCAL") ||
           linha.find("NOTAFISCAL|") != std::string_view::npos;
}

// The 4 characters from position 3 of the version line ("A|4.00|..." gives
// 4.00); empty when they name no known version.
std::string versaoDaLinha(std::string_view linha)
{
    const std::size_t inicio = utf8Offset(linha, 2);
    const std::string_view resto = linha.substr(inicio);
    const std::string versao(resto.substr(0, utf8Offset(resto, 4)));
    if (versao.empty() || kVersoesConhecidas.find("|" + versao + "|") == std::string_view::npos)
        return {};
    return versao;
}

double versaoNumerica(std::string_view versao)
{
    // The four known versions only.
    if (versao == "1.10")
        return 1.1;
    if (versao == "2.00")
        return 2.0;
    if (versao == "3.10")
        return 3.1;
    return 4.0;
}

using MapaTratadores = std::unordered_map<std::string_view, txt_reader::LeitorDeRegistro>;

const MapaTratadores &tratadores()
{
    static const MapaTratadores mapa = [] {
        MapaTratadores resultado;
        for (const auto &tabela : {txt_reader::tratadoresCabecalho(), txt_reader::tratadoresFechamento(),
                                   txt_reader::tratadoresProduto(), txt_reader::tratadoresImpostos()}) {
            for (const txt_reader::TratadorRegistro &tratador : tabela)
                resultado.emplace(tratador.nome, tratador.ler);
        }
        return resultado;
    }();
    return mapa;
}

} // namespace

TNFeRTXT::TNFeRTXT(TNFe &nfe) : nfe_(nfe) {}

bool TNFeRTXT::CarregarArquivo(const std::string &arquivo)
{
    std::ifstream entrada(arquivo, std::ios::binary);
    if (!entrada) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        throw EQuibDFeException("Não foi possível abrir o arquivo TXT " + arquivo + ": " +
                                std::strerror(errno));
    }
    std::string bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    if (entrada.bad())
        throw EQuibDFeException("Não foi possível ler o arquivo TXT " + arquivo);
    CarregarTexto(bytes);
    return true;
}

void TNFeRTXT::CarregarTexto(std::string_view conteudo)
{
    if (conteudo.starts_with(kBomUtf8))
        conteudo.remove_prefix(kBomUtf8.size());
    ConteudoArquivo = splitLines(AnsiParaUTF8(conteudo));
}

bool TNFeRTXT::InterpretarArquivo()
{
    if (ConteudoArquivo.empty() || !cabecalhoValido(ConteudoArquivo.front()))
        return false;
    if (ConteudoArquivo.size() < 2)
        throw EQuibDFeException("Arquivo TXT sem a linha da versão do leiaute (registro A) após o cabeçalho");
    const std::string &linhaVersao = ConteudoArquivo[1];
    const std::string versao = versaoDaLinha(linhaVersao);
    if (versao.empty())
        return false;

    Avisos.clear();
    layout_ = txtLayout(versao);
    nfe_.infNFe.Id = linhaVersao.substr(std::min(linhaVersao.size(), utf8Offset(linhaVersao, 7)));
    nfe_.infNFe.versao = versaoNumerica(versao);

    for (std::size_t i = 1; i < ConteudoArquivo.size(); ++i) {
        linhaAtual_ = static_cast<int>(i) + 1;
        LerRegistro(ConteudoArquivo[i]);
    }
    return true;
}

void TNFeRTXT::LerRegistro(std::string_view linha)
{
    registro_ = linha;
    campos_.clear();
    std::string_view resto = registro_;
    while (true) {
        const std::size_t barra = resto.find('|');
        campos_.push_back(resto.substr(0, barra));
        if (barra == std::string_view::npos)
            break;
        resto.remove_prefix(barra + 1);
    }
    id_ = upperAscii(campos_.front());
    registroLayout_ = layout_ == nullptr ? nullptr : layout_->findRecord(id_);
    if (trimText(registro_).empty())
        return;

    if (id_ == "A") {
        // The version line is the file's second line; any other "A" opens a
        // second note, which this document cannot hold.
        if (linhaAtual_ > 2) {
            throw EQuibDFeException("O arquivo TXT contém mais de uma nota (novo registro A na linha " +
                                    std::to_string(linhaAtual_) + "); importe uma nota por arquivo");
        }
        return;
    }
    const auto tratador = tratadores().find(id_);
    if (tratador == tratadores().end()) {
        // The group lines without fields carry nothing to read.
        if (registroLayout_ == nullptr || !registroLayout_->fields.empty())
            avisaLinhaIgnorada();
        return;
    }
    tratador->second(txt_reader::Registro(*this, nfe_, linhaAtual_));
}

void TNFeRTXT::avisaLinhaIgnorada()
{
    constexpr std::size_t kMostrado = 60; // characters of the line quoted
    const std::string inicio(registro_.substr(0, utf8Offset(registro_, kMostrado)));
    Avisos.push_back("Linha " + std::to_string(linhaAtual_) + " ignorada: registro desconhecido no leiaute " +
                     (layout_ == nullptr ? std::string("TXT") : layout_->version()) + " (\"" + inicio +
                     (inicio.size() < registro_.size() ? "..." : "") + "\")");
}

int TNFeRTXT::PosicaoDoCampo(std::string_view TAG, const TxtLayoutRecord *registro)
{
    return registro == nullptr ? 0 : registro->fieldPosition(trimText(TAG));
}

std::string_view TNFeRTXT::TextoDoCampo(std::string_view TAG) const
{
    const int posicao = PosicaoDoCampo(TAG, registroLayout_);
    if (posicao <= 0 || static_cast<std::size_t>(posicao) >= campos_.size())
        return {};
    return campos_[static_cast<std::size_t>(posicao)];
}

TValorCampoTXT TNFeRTXT::LerCampoTipado(int tipo, std::string_view TAG) const
{
    return txt_reader::converteCampo(tipo, TAG, TextoDoCampo(TAG));
}
