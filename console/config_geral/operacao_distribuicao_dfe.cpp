// "Distribuição Documentos Fiscais".
#include "console/config_geral/frm_config_geral40.h"

#include "console/config_geral/detail/inteiro_do_texto.h"
#include "nfe/services/web_services.h"

#include <array>

void TfrmConfigGeral40::btnDistribuicaoDFeClick()
{
    operacao([this] {
        constexpr std::string_view kLegenda = "WebServices Distribuição Documentos Fiscais";
        constexpr std::array<std::string_view, 4> kPerguntas = {
            "Código da UF do Autor", "CNPJ/CPF do interessado no DF-e", "Último NSU recebido pelo ator",
            "NSU específico"};
        std::array<std::string, 4> respostas;
        for (std::size_t i = 0; i < kPerguntas.size(); ++i) {
            auto resposta = perguntas().InputBox(kLegenda, kPerguntas[i], "");
            if (!resposta)
                return;
            respostas[i] = std::move(*resposta);
        }
        const int ufAutor = console_detail::inteiroDoTexto(respostas[0]);
        QuibNFe1.PedirDistribuicaoDFe(ufAutor, respostas[1], respostas[2], respostas[3], "");
        const TDistribuicaoDFe &servico = QuibNFe1.Servicos().ServicoDistribuicao;
        exibicaoPadrao(servico, servico.RespostaXML);
    });
}
