#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "printing/device/printer_hook.h"
#include "printing/posprinter/pos_printer.h"

namespace {

// What the test hooks were asked, by brand.
std::vector<std::string> chamadas;
bool bibliotecaA = false;
bool bibliotecaB = false;

// A hook answering like an ESC/POS printer whose paper ran out: one status
// byte per real-time request.
class HookTeste : public TQuibPosPrinterHook {
  public:
    explicit HookTeste(std::string marca) : marca_(std::move(marca)) {}
    std::string Marca() const override { return marca_; }
    void Conectar(const std::string &porta) override
    {
        TQuibPosPrinterHook::Conectar(porta);
        chamadas.push_back(marca_ + " Conectar " + Porta());
    }
    void EnviarDados(const std::string &dados) override
    {
        VerificarConectada();
        if (dados.starts_with("\x10\x04") && dados.size() > 2)
            pendente_ = dados[2];
    }
    std::string LerDados(int, int) override
    {
        VerificarConectada();
        const char pedido = pendente_;
        pendente_ = 0;
        switch (pedido) {
        case 1:
            return "\x1E";
        case 2:
            return "\x32";
        case 4:
            return "\x72";
        default:
            return {};
        }
    }

  private:
    std::string marca_;
    char pendente_ = 0;
};

// A hook whose library refuses to open the port.
class HookRecusa : public TQuibPosPrinterHook {
  public:
    std::string Marca() const override { return "RECUSA"; }
    void Conectar(const std::string &porta) override
    {
        TQuibPosPrinterHook::Conectar(porta);
        Desconectar();
        throw EQuibPosPrinterHook("Erro ao Abrir porta USB da impressora RECUSA");
    }
};

class PosPrinterHook : public ::testing::Test {
  protected:
    void SetUp() override
    {
        chamadas.clear();
        bibliotecaA = bibliotecaB = false;
        LimparHooksRegistrados();
        RegistrarHook(
            {"EPSON", [] { return bibliotecaA; },
             []() -> std::unique_ptr<TQuibPosPrinterHook> { return std::make_unique<HookTeste>("EPSON"); }});
        RegistrarHook(
            {"ELGIN", [] { return bibliotecaB; },
             []() -> std::unique_ptr<TQuibPosPrinterHook> { return std::make_unique<HookTeste>("ELGIN"); }});
        RegistrarHook(
            {"RECUSA", [] { return false; },
             []() -> std::unique_ptr<TQuibPosPrinterHook> { return std::make_unique<HookRecusa>(); }});
    }
    void TearDown() override { LimparHooksRegistrados(); }

    std::string marcaEscolhida(const std::string &porta)
    {
        TQuibPosPrinter pos;
        pos.SetPorta(porta);
        pos.ConfigurarHookUSB();
        return pos.HookUSB() ? pos.HookUSB()->Marca() : "";
    }
};

TEST_F(PosPrinterHook, BrandComesFromThePortOrTheFirstLibraryPresent)
{
    bibliotecaA = bibliotecaB = true;
    EXPECT_EQ(marcaEscolhida("DLL"), "EPSON");
    bibliotecaA = false;
    EXPECT_EQ(marcaEscolhida("DLL"), "ELGIN");
    bibliotecaB = false;
    EXPECT_EQ(marcaEscolhida("DLL:elgin"), "ELGIN");
    EXPECT_EQ(marcaEscolhida("DLL: epson "), "EPSON");
}

TEST_F(PosPrinterHook, MissingLibraryOrUnknownBrandIsRefusedBeforeTheDevice)
{
    struct Caso {
        const char *porta;
        const char *mensagem;
    };
    for (const Caso &caso : {Caso{"DLL", "Nenhuma biblioteca de modo USB encontrada"},
                             Caso{"DLL:XYZ", "Marca XYZ, não tem suporte em modo USB"}}) {
        TQuibPosPrinter pos;
        pos.SetPorta(caso.porta);
        try {
            pos.Ativar();
            FAIL() << caso.porta;
        } catch (const EPosPrinterException &e) {
            EXPECT_STREQ(e.what(), caso.mensagem);
        }
        EXPECT_FALSE(pos.Ativo());
        EXPECT_FALSE(pos.Device().Ativo());
    }
}

TEST_F(PosPrinterHook, StatusIsReadThroughTheHookWithUSBAsItsPort)
{
    TQuibPosPrinter pos;
    pos.SetPorta("DLL:ELGIN");
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), "stSemPapel, stOffLine, ");
    EXPECT_EQ(pos.Modelo(), ppEscPosEpson);
    ASSERT_FALSE(chamadas.empty());
    EXPECT_EQ(chamadas.front(), "ELGIN Conectar USB");
}

TEST_F(PosPrinterHook, ARefusedOpenLeavesTheHookUnconnected)
{
    TQuibPosPrinter pos;
    pos.SetPorta("DLL:RECUSA");
    EXPECT_THROW(pos.Ativar(), EQuibPosPrinterHook);
    ASSERT_NE(pos.HookUSB(), nullptr);
    EXPECT_FALSE(pos.HookUSB()->Conectada());
    EXPECT_FALSE(pos.Ativo());
}

TEST_F(PosPrinterHook, LeavingTheHookPortRemovesTheHook)
{
    bibliotecaA = true;
    TQuibPosPrinter pos;
    pos.SetPorta("DLL");
    pos.ConfigurarHookUSB();
    ASSERT_NE(pos.HookUSB(), nullptr);
    pos.SetPorta("TCP:127.0.0.1:9");
    pos.ConfigurarHookUSB();
    EXPECT_EQ(pos.HookUSB(), nullptr);
    EXPECT_FALSE(pos.Device().hookEnviaString);
}

} // namespace
