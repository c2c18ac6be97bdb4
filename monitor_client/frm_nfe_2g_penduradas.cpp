// Answers an earlier run left behind: a note answer of the current emitter
// re-queues its note (when the note still waits for one), and answers nobody
// will read are cleared out. Names are matched in any case; series-less
// names are left alone.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "foundation/files/windows_paths.h"
#include "monitor_client/detail/arquivo_troca.h"
#include "monitor_client/nomes_monitor.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct NomePendurado {
    int serie = 0;
    int numero = 0;
    std::string cnpj;
};

bool soDigitos(std::string_view texto)
{
    return !texto.empty() &&
           std::all_of(texto.begin(), texto.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "resp-nota" + 3 series digits + 9 number digits + "#" + CNPJ + ".txt", in
// any case; nullopt for any other form (the series-less one included).
std::optional<NomePendurado> leNomeNota(std::string_view nome)
{
    const std::string texto = monitor_detail::minusculas(nome);
    constexpr std::string_view prefixo = "resp-nota";
    const auto cerquilha = texto.find('#');
    if (!texto.starts_with(prefixo) || cerquilha == std::string::npos || !texto.ends_with(".txt"))
        return std::nullopt;
    const std::string_view numeros =
        std::string_view(texto).substr(prefixo.size(), cerquilha - prefixo.size());
    if (numeros.size() != 12 || !soDigitos(numeros))
        return std::nullopt;
    NomePendurado lido;
    std::from_chars(numeros.data(), numeros.data() + 3, lido.serie);
    std::from_chars(numeros.data() + 3, numeros.data() + 12, lido.numero);
    lido.cnpj = texto.substr(cerquilha + 1, texto.size() - 4 - cerquilha - 1);
    return lido;
}

// The CNPJ of a "resp-email" name: between the first "#" and the next ".".
std::string cnpjDoNome(std::string_view nome)
{
    const auto cerquilha = nome.find('#');
    if (cerquilha == std::string_view::npos)
        return {};
    const std::string_view resto = nome.substr(cerquilha + 1);
    return std::string(resto.substr(0, resto.find('.')));
}

} // namespace

std::vector<std::string> TfrmNFE_2G::GetFileList(std::string_view pasta, std::string_view mascara,
                                                 bool comPasta)
{
    std::string armazenada(pasta);
    if (armazenada.empty() || (armazenada.back() != '\\' && armazenada.back() != '/'))
        armazenada += armazenada.find('/') != std::string::npos && armazenada.find('\\') == std::string::npos
                          ? "/"
                          : "\\";
    std::vector<std::string> nomes;
    std::error_code erro;
    for (fs::directory_iterator it(localPath(armazenada), erro), fim; !erro && it != fim;
         it.increment(erro)) {
        std::error_code tipo;
        const std::string nome = it->path().filename().string();
        if (it->is_regular_file(tipo) && monitor_detail::nomeCombina(nome, mascara))
            nomes.push_back(comPasta ? armazenada + nome : nome);
    }
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

void TfrmNFE_2G::seguePendurada(int numero, int serie)
{
    const std::string texto = std::to_string(numero);
    for (const LinhaNota &linha : tabelas_.tblNotas.linhas())
        if (linha.nro_not == texto && linha.nro_serie_not == serie && linha.cnpj_emitente == CnpjEmitente)
            return;
    if (!tabelas_.tblNotas.aberta())
        return;
    LinhaNota linha = tabelas_.tblNotas.nova();
    linha.nota = numero;
    linha.nro_not = texto;
    linha.cnpj_emitente = CnpjEmitente;
    linha.serie_not = std::to_string(serie);
    linha.nro_serie_not = serie;
    tabelas_.posta(std::move(linha));
}

void TfrmNFE_2G::Verifica_Notas_Penduradas()
{
    if (!VerificarPenduradas)
        return;
    const std::vector<std::string> emitentes = cnpjsEmitentes();
    const std::string pastaRespostas = JuntaCaminho(PastaComunicacao, "-resp", "");
    const auto apaga = [&](const std::string &nome, const std::string &motivo) {
        apagaRetorno(localPath(pastaRespostas + nome));
        registra("Resposta " + pastaRespostas + nome + " apagada: " + motivo);
    };

    ListFile = GetFileList(pastaRespostas, "resp-nota*.txt", false);
    for (const std::string &nome : ListFile) {
        const auto lido = leNomeNota(nome);
        if (!lido)
            continue;
        if (lido->cnpj == CnpjEmitente) {
            try {
                const int estado = EstadoDaNota(lido->numero, lido->serie);
                if (estado != -1 && estado != 1) {
                    apaga(nome, "a nota " + std::to_string(lido->numero) + " está no estado " +
                                    std::to_string(estado) + ", não aguardava resposta");
                    continue;
                }
                reenfileiraNota(lido->numero, lido->serie);
                if (!commit())
                    continue;
            } catch (const db::DatabaseError &e) {
                modulo().dtmNFERollback();
                registra("Nota " + std::to_string(lido->numero) + " da resposta " + nome +
                         " não recolocada na fila: " + e.what());
                continue;
            }
            seguePendurada(lido->numero, lido->serie);
        } else if (std::find(emitentes.begin(), emitentes.end(), lido->cnpj) == emitentes.end()) {
            apaga(nome, "o CNPJ " + lido->cnpj + " não é emitente deste banco");
        }
    }

    ListFile = GetFileList(pastaRespostas, "resp-email*.txt", false);
    for (const std::string &nome : ListFile)
        if (monitor_detail::minusculas(cnpjDoNome(nome)) == CnpjEmitente)
            apagaRetorno(localPath(pastaRespostas + nome));

    abreGrade(qryEnviadas);
    VerificarPenduradas = false;
}
