#include "printing/posprinter/pos_printer.h"

#include "foundation/text/text_utils.h"

namespace {

void substituirTodos(std::string &texto, std::string_view de, std::string_view para)
{
    std::string result;
    result.reserve(texto.size());
    std::size_t inicio = 0;
    for (std::size_t p = texto.find(de); p != std::string::npos; p = texto.find(de, inicio)) {
        result.append(texto, inicio, p - inicio);
        result += para;
        inicio = p + de.size();
    }
    result.append(texto, inicio);
    texto = std::move(result);
}

} // namespace

TQuibPosPrinter::TQuibPosPrinter() : modelo_atual_(std::make_unique<TQuibPosPrinterClass>(config_))
{
    device_.SetTimeOutMilissegundos(300);
    CarregarTags();
    tags_.OnTraduzirTag = [this](const std::string &tag, std::string &traducao) {
        traducao = TraduzirTag(tag);
    };
    tags_.OnTraduzirTagBloco = [this](const std::string &tag, const std::string &conteudo,
                                      std::string &traducao) { traducao = TraduzirTagBloco(tag, conteudo); };
    tags_.OnAdicionarTexto = [this](const std::string &trecho) { modelo_atual_->ProcessarTrecho(trecho); };
    modelo_atual_->Leitor(this);
}

TQuibPosPrinter::~TQuibPosPrinter()
{
    LiberarHookUSB();
}

void TQuibPosPrinter::SetModelo(TQuibPosPrinterModelo valor)
{
    if (valor == modelo_)
        return;
    if (valor == ppExterno)
        throw EPosPrinterException("Nenhum Modelo Externo atribuído");
    if (ativo_)
        Desativar();
    modelo_atual_ = CriarModelo(valor);
    modelo_atual_->Leitor(this);
    modelo_ = valor;
}

void TQuibPosPrinter::Ativar()
{
    if (ativo_)
        return;
    std::uint8_t tipoEquipamento = 1;
    int protocolo = 0;
    device_.IdentificarDispositivoUSB(tipoEquipamento, protocolo);
    if (tipoEquipamento > 1)
        throw EPosPrinterException("Porta: " + device_.Porta() + " não está conectada a uma Impressora");
    if (protocolo > 0 && protocolo <= ppEscSunmi)
        SetModelo(static_cast<TQuibPosPrinterModelo>(protocolo));
    ConfigurarHookUSB();
    device_.Ativar();
    ativo_ = true;
    modelo_atual_->AposAtivar();
    inicializada_ = false;
    capacidades_ = {};
}

void TQuibPosPrinter::Desativar()
{
    if (!ativo_)
        return;
    device_.Desativar();
    ativo_ = false;
    inicializada_ = false;
    capacidades_ = {};
}

void TQuibPosPrinter::AdicionarLinha(std::string linha)
{
    buffer_.push_back(std::move(linha));
    if (LinhasBuffer > 0 && static_cast<int>(buffer_.size()) > LinhasBuffer && !imprimindoBuffer_) {
        imprimindoBuffer_ = true;
        try {
            Imprimir({}, false, true, true, 1);
        } catch (...) {
            imprimindoBuffer_ = false;
            throw;
        }
        imprimindoBuffer_ = false;
    }
}

void TQuibPosPrinter::Imprimir(std::string_view texto, bool pulaLinha, bool decodificarTags,
                               bool codificarPagina, int copias)
{
    if (!ControlePorta && !ativo_)
        throw EPosPrinterException("Não está Ativo");
    if (VerificarImpressora)
        RecusarImpressoraComProblema(LerStatusImpressora(1));

    const std::string &lf = modelo_atual_->Comandos().PuloDeLinha;
    std::string tudo;
    for (std::size_t i = 0; i < buffer_.size(); ++i) {
        if (i > 0)
            tudo += lf;
        tudo += buffer_[i];
    }
    buffer_.clear();
    tudo += texto;

    if (codificarPagina)
        tudo = CodificarPaginaDeCodigo(tudo);
    if (lf != "\r\n")
        substituirTodos(tudo, "\r\n", lf);
    if (lf != "\r")
        substituirTodos(tudo, "\r", lf);
    if (lf != "\n")
        substituirTodos(tudo, "\n", lf);
    if (pulaLinha)
        tudo += lf;
    if (decodificarTags)
        tudo = DecodificarTags(tudo);

    for (int i = 0; i < copias; ++i)
        EnviarStringDevice(tudo);
}

void TQuibPosPrinter::EnviarStringDevice(const std::string &cmd)
{
    if (cmd.empty())
        return;
    AbrirPorta();
    try {
        std::string envio = cmd;
        bool inicializa_agora = false;
        if (!inicializada_) {
            const std::string inicializa = modelo_atual_->ComandoInicializa();
            if (inicializa.empty() || cmd.find(inicializa) != std::string::npos) {
                inicializa_agora = true;
            } else if (cmd != modelo_atual_->Comandos().Zera) {
                envio = inicializa + cmd;
                inicializa_agora = true;
            }
        }
        bool tratado = false;
        if (OnEnviarStringDevice)
            OnEnviarStringDevice(envio, tratado);
        if (!tratado)
            device_.EnviaString(envio);
        // Only a send that went through has initialised the printer; a failed
        // one initialises again on the next attempt.
        if (inicializa_agora)
            inicializada_ = true;
    } catch (...) {
        if (ControlePorta)
            FecharPorta();
        throw;
    }
    if (ControlePorta)
        FecharPorta();
}

bool TQuibPosPrinter::PortaConversa() const
{
    return device_.EhSerial() || device_.EhTCP() || device_.EhHook();
}

void TQuibPosPrinter::EnviarDireto(const std::string &bytes)
{
    device_.EnviaString(bytes);
}

void TQuibPosPrinter::AbrirPorta()
{
    if (!device_.Ativo())
        device_.Ativar();
}

void TQuibPosPrinter::FecharPorta()
{
    if (!device_.Ativo())
        return;
    device_.Desativar();
    // A serial printer keeps its settings while the port is closed.
    if (!device_.EhSerial())
        inicializada_ = false;
}

std::string TQuibPosPrinter::DecodificarTags(std::string_view texto)
{
    std::string entrada(texto);
    modelo_atual_->PreProcessarTexto(entrada);
    std::string result = tags_.DecodificarTags(entrada);
    modelo_atual_->PosProcessarTexto(result);
    return result;
}
