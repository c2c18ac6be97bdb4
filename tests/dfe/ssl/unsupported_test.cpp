#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

namespace {

// Back-ends that add nothing but their own name.
class CryptSemNada : public TDFeSSLCryptClass {
  public:
    using TDFeSSLCryptClass::TDFeSSLCryptClass;
    std::string_view NomeClasse() const override { return "TDFeCryptSemNada"; }
};
class XmlSignSemNada : public TDFeSSLXmlSignClass {
  public:
    using TDFeSSLXmlSignClass::TDFeSSLXmlSignClass;
    std::string_view NomeClasse() const override { return "TDFeXmlSignSemNada"; }
};

struct Case {
    bool crypt; // which family raises
    std::function<void(TDFeSSLCryptClass &, TDFeSSLXmlSignClass &)> call;
    const char *message; // %s: the class name
};

std::string expected(const char *model, std::string_view name)
{
    std::string text(model);
    text.replace(text.find("%s"), 2, name);
    return text;
}

TEST(UnsupportedOperations, NameTheOperationAndTheRunTimeClass)
{
    std::string msg;
    std::istringstream stream("x");
    // clang-format off
    const Case cases[] = {
        {true , [&](auto &c, auto &) { c.CalcHash(stream, dgstSHA1, false); },            "\"CalcHash\" não suportado em: %s"},
        {true , [&](auto &c, auto &) { c.ValidarHash(stream, dgstSHA1, "h", false); },    "\"ValidarHash\" não suportado em: %s"},
        {true , [](auto &c, auto &) { c.SelecionarCertificado(); },                       "\"SelecionarCertificado\" não suportado em: %s"},
        {true , [](auto &c, auto &) { c.LerCertificadosStore(); },                        "\"LerCertificadosStore\" não suportado em: %s"},
        {true , [](auto &c, auto &) { c.CarregarCertificadoPublico("AAAA"); },            "\"CarregarCertificadoPublico\" não suportado em: %s"},
        {true , [](auto &c, auto &) { c.CarregarCertificadoDeNumeroSerie(); },            "\"CarregarCertificadoDeNumeroSerie\" não suportado em: %s"},
        {true , [](auto &c, auto &) { c.CarregarCertificadoDeDadosPFX(); },               "\"CarregarCertificadoDeDadosPFX\" não implementado em: %s"},
        {false, [](auto &, auto &x) { x.Assinar("<a/>", "a", "a", "", "", "", ""); },     "%s.Assinar, não implementado"},
        {false, [&](auto &, auto &x) { x.Validar("<a/>", "a.xsd", msg); },                "\"Validar\" não suportado em: %s"},
        {false, [&](auto &, auto &x) { x.ValidarAssinatura("<a/>", msg, "a", "", "", "", ""); }, "\"ValidarAssinatura\" não suportado em: %s"},
    };
    // clang-format on
    TDFeSSL ssl;
    TDFeSSLCryptClass baseCrypt(ssl);
    TDFeSSLXmlSignClass baseXmlSign(ssl);
    CryptSemNada crypt(ssl);
    XmlSignSemNada xmlSign(ssl);
    for (const auto &c : cases) {
        for (const bool base : {true, false}) {
            TDFeSSLCryptClass &cr = base ? baseCrypt : crypt;
            TDFeSSLXmlSignClass &xs = base ? static_cast<TDFeSSLXmlSignClass &>(baseXmlSign) : xmlSign;
            const std::string_view name = c.crypt ? cr.NomeClasse() : xs.NomeClasse();
            try {
                c.call(cr, xs);
                ADD_FAILURE() << c.message << " did not raise";
            } catch (const EQuibDFeException &e) {
                EXPECT_EQ(e.what(), expected(c.message, name));
            }
        }
    }
}

TEST(UnsupportedOperations, FacadeWithoutLibrariesReachesTheBaseClasses)
{
    TDFeSSL ssl;
    ssl.SetDadosPFX("qualquer");
    EXPECT_THROW(
        {
            try {
                ssl.GarantirCertificadoCarregado();
            } catch (const EQuibDFeException &e) {
                EXPECT_STREQ(e.what(),
                             "\"CarregarCertificadoDeDadosPFX\" não implementado em: TDFeSSLCryptClass");
                throw;
            }
        },
        EQuibDFeException);
    TDFeSSL vazio;
    EXPECT_THROW(
        {
            try {
                vazio.GarantirCertificadoCarregado();
            } catch (const EQuibDFeException &e) {
                EXPECT_STREQ(e.what(), "DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie não especificados !");
                throw;
            }
        },
        EQuibDFeException);
    EXPECT_EQ(vazio.SSLCryptClass().VersaoBiblioteca(), "");
    EXPECT_EQ(vazio.SSLCryptClass().ContextoCertificadoWinApi(), nullptr);
}

} // namespace
