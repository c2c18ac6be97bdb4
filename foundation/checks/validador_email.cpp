#include "foundation/checks/validador.h"

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

// E-mail addresses: a plain shape check, not an RFC parser.

namespace {

// Blank, accented letters and punctuation that an address must not hold.
constexpr std::string_view kCaracteresProibidos[] = {
    " ", "à", "â", "ê", "ô", "û", "ã", "õ", "á", "é", "í", "ó", "ú", "ç", "ü", "ñ",  "ý", "À", "Â", "Ê", "Ô",
    "Û", "Ã", "Õ", "Á", "É", "Í", "Ó", "Ú", "Ç", "Ü", "Ñ", "Ý", "*", ";", ":", "\\", "|", "#", "$", "%", "&",
    "§", "!", "(", ")", "]", "[", "{", "}", "<", ">", "˜", "ˆ", "´", "ª", "º", "+",  "¹", "²", "³",
};

bool temCaractereProibido(std::string_view endereco)
{
    for (const std::string_view caractere : utf8Chars(endereco)) {
        for (const std::string_view proibido : kCaracteresProibidos) {
            if (caractere == proibido)
                return true;
        }
    }
    return false;
}

bool formaValida(std::string_view e)
{
    const std::size_t arroba = e.find('@');
    if (arroba == std::string_view::npos || e.find('@', arroba + 1) != std::string_view::npos)
        return false;
    if (e.find('.') == std::string_view::npos || e.find("..") != std::string_view::npos)
        return false;
    if (e.front() == '.' || e.front() == '@' || e.back() == '.' || e.back() == '@')
        return false;
    if (e[arroba + 1] == '.' || e[arroba - 1] == '.')
        return false;
    if (e.find('.', arroba) == std::string_view::npos)
        return false;
    return !temCaractereProibido(e);
}

} // namespace

void TQuibValidador::ValidarEmail()
{
    // The address is judged as typed: blanks around it make it invalid.
    if (utf8Length(documento_) < 8) {
        mensagemErro_ = "e-mail não pode conter menos do que 8 caracteres!";
        return;
    }
    if (!formaValida(documento_))
        mensagemErro_ = "e-mail inválido!";
}
