#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/dates/date_time.h"
#include "foundation/dates/fuso_horario.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::TempDir;

// An NFC-e component whose services INI holds the QR-code addresses below.
struct ComponenteNFCe {
    TempDir pasta;
    TQuibNFe nfe;
    ComponenteNFCe()
    {
        nfe.Configuracoes().Arquivos().SetIniServicos((pasta / "ausente.ini").string());
        nfe.Configuracoes().WebServices().Params = {
            "[NFCe_SP_H]",
            "URL-QRCode_2.00=https://sp.example/qrcode",
            "URL-ConsultaNFCe_2.00=https://sp.example/consulta",
            "[NFCe_RJ_P]",
            "URL-QRCode=https://rj.example/qr",
            "URL-QRCode_2.00=https://rj.example/v2?p=",
            "URL-ConsultaNFCe=https://rj.example/consulta",
            "[NFCe_PR_H]",
            "URL-QRCode_1.00=https://pr.example/qr?x=1",
            "URL-QRCode_2.00=https://pr.example/v2",
            "[NFCe_MS_H]",
            "URL-QRCode_2.00=https://ms.example/qr?p=",
        };
    }
};

// The access key with the emission-type digit (position 35) given.
std::string chave(char tpEmis)
{
    std::string k = "35190312345678000195650010000001231123456789";
    k[34] = tpEmis;
    return k;
}

// What `printf '%s' TEXT | openssl sha1` prints, upper-cased.
std::string sha1PelaFerramenta(const std::string &texto)
{
    const auto r = testsupport::runCommand({"openssl", "sha1", "-r"}, texto);
    std::string hash = r.out.substr(0, 40);
    std::transform(hash.begin(), hash.end(), hash.begin(), ::toupper);
    return hash;
}

// "2019-03-07T14:05:09-03:00" byte by byte.
constexpr const char *kDhEmiHexa = "323031392D30332D30375431343A30353A30392D30333A3030";

struct FusoPorEstado {
    FusoPorEstado() { FusoHorarioGlobal().SetModoDeteccao(tzPCN); }
    ~FusoPorEstado() { FusoHorarioGlobal().SetModoDeteccao(tzSistema); }
};

std::string minusculas(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), ::tolower);
    return s;
}

} // namespace

TEST(NFCeQRCode, BuildsBothFormsWithAHashTheOpenSSLToolAgreesWith)
{
    ASSERT_TRUE(testsupport::hasProgram("openssl"));
    const FusoPorEstado fuso;
    struct Caso {
        const char *nome;
        TpcnVersaoQrCode configurada;
        double layout;
        int cUF;
        TpcnTipoAmbiente tpAmb;
        std::string chave;
        const char *dest;
        const char *csc;
        Decimal vNF;
        std::string semHash;  // the result up to the hash
        std::string hasheado; // the text whose SHA-1 ends the result
    };
    const std::string k1 = chave('1');
    const std::string k9 = chave('9');
    const std::string v1Rj = "chNFe=" + k1 + "&nVersao=100&tpAmb=1&dhEmi=" + kDhEmiHexa +
                             "&vNF=10.00&vICMS=1.80&digVal=6162633D&cIdToken=000001";
    const std::string v1Pr = "chNFe=" + k1 +
                             "&nVersao=100&tpAmb=2&cDest=12345678909&dhEmi=" + minusculas(kDhEmiHexa) +
                             "&vNF=125.50&vICMS=1.80&digVal=6162633d&cIdToken=000001";
    // clang-format off
    const Caso casos[] = {
        {"v2 SP, ?p= added", veqr200, 4.00, 35, taHomologacao, k1, "", "CSCSP", 10,
         "https://sp.example/qrcode?p=" + k1 + "|2|2|1|", k1 + "|2|2|1CSCSP"},
        {"v2 offline MS, address already ends in ?p=", veqr200, 4.00, 50, taHomologacao, k9, "", "CSCMS", 10,
         "https://ms.example/qr?p=" + k9 + "|2|2|07|10.00|6162633d|1|", k9 + "|2|2|07|10.00|6162633d|1CSCMS"},
        {"layout 3.10 asks version 0, upper-case RJ", veqr200, 3.10, 33, taProducao, k1, "", "CSCRJ", 10,
         "https://rj.example/qr?" + v1Rj + "&cHashQRCode=", v1Rj + "CSCRJ"},
        {"veqr000 on 4.00 asks version 1, & join, PR lower case", veqr000, 4.00, 41, taHomologacao, k1,
         " 12345678909 ", "CSCPR", Decimal::fromUnits(1255000),
         "https://pr.example/qr?x=1&" + v1Pr + "&cHashQRCode=", v1Pr + "CSCPR"},
        {"empty CSC: code built from the key", veqr200, 4.00, 35, taHomologacao, k1, "", "", 10,
         "https://sp.example/qrcode?p=" + k1 + "|2|2|1|", k1 + "|2|2|1" + "12345678" + "20" + "19"},
        {"empty CSC, version 1: token digits 3 to 6", veqr200, 3.10, 33, taProducao, k1, "", "", 10,
         "https://rj.example/qr?" + v1Rj + "&cHashQRCode=", v1Rj + "12345678" + "20" + "19" + "0001"},
    };
    // clang-format on
    for (const Caso &caso : casos) {
        ComponenteNFCe c;
        auto &geral = c.nfe.Configuracoes().Geral();
        geral.VersaoQRCode = caso.configurada;
        geral.SetIdCSC("1");
        geral.SetCSC(caso.csc);
        const TDateTime dhEmi = encodeDate(2019, 3, 7) + encodeTime(14, 5, 9);
        const std::string qr =
            c.nfe.MontarQRCodeNFCe(caso.cUF, caso.tpAmb, caso.chave, caso.dest, dhEmi, caso.vNF,
                                   Decimal::fromUnits(18000), "abc=", caso.layout);
        EXPECT_EQ(qr, caso.semHash + sha1PelaFerramenta(caso.hasheado)) << caso.nome;
    }
}

TEST(NFCeQRCode, EffectiveVersionFollowsTheLayout)
{
    // clang-format off
    struct Caso { TpcnVersaoQrCode configurada; TpcnVersaoDF layout; TpcnVersaoQrCode efetiva; };
    const Caso casos[] = {
        {veqr200, ve310, veqr000}, {veqr100, ve300, veqr000},
        {veqr000, ve400, veqr100}, {veqr100, ve400, veqr100}, {veqr200, ve400, veqr200},
    };
    // clang-format on
    for (const Caso &caso : casos)
        EXPECT_EQ(TQuibNFe::VersaoQRCodeEfetiva(caso.configurada, caso.layout), caso.efetiva);
}

TEST(NFCeQRCode, ConsultationAddressComesFromTheServicesIni)
{
    ComponenteNFCe c;
    EXPECT_EQ(c.nfe.EnderecoConsultaNFCe(35, taHomologacao, 4.00), "https://sp.example/consulta");
    EXPECT_EQ(c.nfe.EnderecoConsultaNFCe(33, taProducao, 3.10), "https://rj.example/consulta");
}
