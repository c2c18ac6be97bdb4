#include "tests/app/firebird/sonda_falsa.h"

void SondaFalsa::espera(int ms)
{
    agora += ms > 0 ? ms : 0;
    if (servico_ && agora >= servico_->quando) {
        estadoDoServico = servico_->estado;
        servico_.reset();
    }
    if (portaAbre_ && agora >= *portaAbre_) {
        portaAberta = guarda.has_value();
        portaAbre_.reset();
    }
    if (guardaSai_ && agora >= *guardaSai_) {
        guarda.reset();
        portaAberta = false;
        guardaSai_.reset();
    }
}

bool SondaFalsa::iniciaServico(std::string_view servico)
{
    pedidos.push_back("start service " + std::string(servico));
    if (recusaPedidos)
        return false;
    if (estadoDoServico == 1 && !servicoNaoSobe) {
        estadoDoServico = 2;
        servico_ = Mudanca{agora + msServico, 4};
    }
    return true;
}

bool SondaFalsa::paraServico(std::string_view servico)
{
    pedidos.push_back("stop service " + std::string(servico));
    if (recusaPedidos)
        return false;
    estadoDoServico = 3;
    servico_ = Mudanca{agora + msServico, 1};
    return true;
}

std::string SondaFalsa::registro(std::string_view chave, std::string_view nome)
{
    const auto valor = registros.find(std::string(chave) + "|" + std::string(nome));
    return valor == registros.end() ? std::string() : valor->second;
}

pid_t SondaFalsa::iniciaPrograma(std::string_view programa, std::string_view parametros,
                                 std::string_view variavel, std::string_view valor)
{
    pedidos.push_back("start application " + std::string(programa) + " " + std::string(parametros) + " " +
                      std::string(variavel) + "=" + std::string(valor));
    guarda = 4242;
    portaAbre_ = agora + msPorta;
    return *guarda;
}

void SondaFalsa::pedeFim(pid_t)
{
    pedidos.push_back("stop application");
    if (!guardaTeimosa)
        guardaSai_ = agora + msFim;
}

int SondaFalsa::estadoServico(std::string_view)
{
    if (proximosEstados.empty())
        return estadoDoServico;
    const int estado = proximosEstados.front();
    proximosEstados.pop_front();
    return estado;
}
