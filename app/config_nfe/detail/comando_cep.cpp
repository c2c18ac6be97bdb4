#include "app/config_nfe/detail/comando_cep.h"

#include "foundation/text/text_utils.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<std::string_view, 4> kColunasCep = {"CEP_10", "CEP_6", "NOM_CID", "UF_CID"};

class Leitor {
  public:
    explicit Leitor(std::string_view texto) : texto_(texto) {}

    void espacos()
    {
        while (pos_ < texto_.size() && std::isspace(static_cast<unsigned char>(texto_[pos_])))
            ++pos_;
    }
    bool fim()
    {
        espacos();
        return pos_ >= texto_.size();
    }
    bool simbolo(char c)
    {
        espacos();
        if (pos_ < texto_.size() && texto_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void exige(char c, const char *onde)
    {
        if (!simbolo(c))
            falha(std::string("esperado \"") + c + "\" " + onde);
    }
    std::string palavra()
    {
        espacos();
        const std::size_t inicio = pos_;
        while (pos_ < texto_.size() &&
               (std::isalnum(static_cast<unsigned char>(texto_[pos_])) || texto_[pos_] == '_'))
            ++pos_;
        return upperAscii(texto_.substr(inicio, pos_ - inicio));
    }
    db::Value literal()
    {
        espacos();
        if (pos_ < texto_.size() && texto_[pos_] == '\'') {
            std::string valor;
            for (++pos_; pos_ < texto_.size(); ++pos_) {
                if (texto_[pos_] != '\'') {
                    valor += texto_[pos_];
                } else if (pos_ + 1 < texto_.size() && texto_[pos_ + 1] == '\'') {
                    valor += '\'';
                    ++pos_;
                } else {
                    ++pos_;
                    return db::Value(valor);
                }
            }
            falha("texto sem aspas de fechamento");
        }
        const std::size_t inicio = pos_;
        if (pos_ < texto_.size() && (texto_[pos_] == '-' || texto_[pos_] == '+'))
            ++pos_;
        const std::size_t digitos = pos_;
        while (pos_ < texto_.size() &&
               (std::isdigit(static_cast<unsigned char>(texto_[pos_])) || texto_[pos_] == '.'))
            ++pos_;
        if (pos_ > digitos)
            return db::Value(std::string(texto_.substr(inicio, pos_ - inicio)));
        pos_ = inicio;
        if (palavra() == "NULL")
            return db::Value();
        falha("valor que não é texto, número nem NULL");
    }
    [[noreturn]] static void falha(const std::string &motivo)
    {
        throw ErroComandoCep("comando não aceito (" + motivo + ")");
    }

  private:
    std::string_view texto_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<ComandoCep> leComandoCep(std::string_view linha)
{
    if (linha.size() < 11 || upperAscii(linha.substr(0, 11)) != "INSERT INTO")
        return std::nullopt;
    Leitor leitor(linha.substr(11));
    if (const std::string tabela = leitor.palavra(); tabela != "CEP")
        Leitor::falha("só a tabela CEP é aceita, não \"" + tabela + "\"");
    ComandoCep comando;
    if (leitor.simbolo('(')) {
        do {
            std::string coluna = leitor.palavra();
            if (std::find(kColunasCep.begin(), kColunasCep.end(), coluna) == kColunasCep.end())
                Leitor::falha("coluna desconhecida \"" + coluna + "\"");
            if (std::find(comando.colunas.begin(), comando.colunas.end(), coluna) != comando.colunas.end())
                Leitor::falha("coluna repetida \"" + coluna + "\"");
            comando.colunas.push_back(std::move(coluna));
        } while (leitor.simbolo(','));
        leitor.exige(')', "depois das colunas");
    } else {
        comando.colunas.assign(kColunasCep.begin(), kColunasCep.end());
    }
    if (leitor.palavra() != "VALUES")
        Leitor::falha("esperado VALUES");
    leitor.exige('(', "antes dos valores");
    do
        comando.valores.push_back(leitor.literal());
    while (leitor.simbolo(','));
    leitor.exige(')', "depois dos valores");
    leitor.simbolo(';');
    if (!leitor.fim())
        Leitor::falha("texto depois do comando");
    if (comando.valores.size() != comando.colunas.size())
        Leitor::falha(std::to_string(comando.valores.size()) + " valores para " +
                      std::to_string(comando.colunas.size()) + " colunas");
    return comando;
}
