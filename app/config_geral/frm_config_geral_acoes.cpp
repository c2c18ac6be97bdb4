// The buttons of the NFS-e/CT-e settings screen (frm_config_geral.h): file
// and certificate choices, the default mail account and the mail test.

#include "app/config_geral/frm_config_geral.h"

#include "app/dialogs/dialogos.h"
#include "app/shell_constants.h"
#include "dfe/mail/quib_mail.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/quib_nfe.h"

namespace {

constexpr std::string_view kFiltroCertificado = "Arquivos PFX (*.pfx)|*.pfx|Todos os Arquivos (*.*)|*.*";
constexpr std::string_view kFiltroLogo =
    "Arquivos BMP (*.bmp)|*.bmp|Arquivos JPG (*.jpg)|*.jpg|Todos os Arquivos (*.*)|*.*";
constexpr std::string_view kTituloEmail = "Envio de eMail";
// A test that cannot reach the server gives up after this long.
constexpr int kEsperaEmailMs = 15000;

MostraConfigGeral &visao()
{
    static MostraConfigGeral mostra;
    return mostra;
}

} // namespace

void TfrmConfigGeral::abreArquivo(std::string_view edit, std::string_view filtro)
{
    if (auto arquivo = dialogos().abrirArquivo(filtro, pastaPrograma_))
        controle(edit).texto = *arquivo;
}

void TfrmConfigGeral::sbtnCaminhoCertClick()
{
    abreArquivo("edtCaminho", kFiltroCertificado);
}

void TfrmConfigGeral::sbtnLogoMarcaClick()
{
    abreArquivo("edtLogoMarca", kFiltroLogo);
}

void TfrmConfigGeral::btnLogoPrefClick()
{
    abreArquivo("edtLogoNFSEPref", kFiltroLogo);
}

void TfrmConfigGeral::btnLogoPrestClick()
{
    abreArquivo("edtLogoNFSEPrest", kFiltroLogo);
}

TQuibNFe &TfrmConfigGeral::QuibNFe1()
{
    if (!quibNFe_) {
        quibNFe_ = std::make_unique<TQuibNFe>();
        quibNFe_->Configuracoes().Geral().SetSSLCryptLib(cryWinCrypt);
    }
    return *quibNFe_;
}

void TfrmConfigGeral::sbtnGetCertClick()
{
    const std::string serie = QuibNFe1().SSL().SelecionarCertificado();
    if (!serie.empty())
        controle("edtNumSerie").texto = serie;
}

void TfrmConfigGeral::SpeedButton1Click()
{
    if (!dialogos().confirmacao("Carregar dados default KVL ?"))
        return;
    controle("edtSmtpPass").texto = kEmailPadraoSenha;
    controle("edtSmtpHost").texto = kEmailPadraoHost;
    controle("edtSmtpUser").texto = kEmailPadraoUsuario;
    controle("edtSmtpEmail").texto = kEmailPadraoUsuario;
    controle("edtSmtpPort").texto = kEmailPadraoPorta;
}

void TfrmConfigGeral::btntestaemailClick()
{
    const std::string remetente = controle("edtSmtpEmail").texto;
    TQuibMail mail;
    mail.Host = controle("edtSmtpHost").texto;
    mail.Port = controle("edtSmtpPort").texto;
    const bool seguro = controle("cbEmailSSL").marcado;
    mail.SetSSL = seguro && trimText(mail.Port) == "465";
    mail.SetTLS = seguro && !mail.SetSSL;
    if (controle("cbRequerAutenticacao").marcado) {
        mail.Username = controle("edtSmtpUser").texto;
        mail.Password = controle("edtSmtpPass").texto;
    }
    mail.TimeOut = kEsperaEmailMs;
    mail.From = remetente;
    mail.AdicionarDestinatario(remetente);
    mail.Subject = "Teste de envio de email";
    mail.CorpoTexto = {"Mensagem de teste das configurações de e-mail."};
    try {
        mail.EnviarAgora();
    } catch (const EQuibMailException &erro) {
        dialogos().mensagem(std::string("Falha no envio do email de teste:\r\n") + erro.what(), kTituloEmail);
        return;
    }
    dialogos().mensagem("Email de teste enviado para " + remetente + ".", kTituloEmail);
}

bool TfrmConfigGeral::ShowModal()
{
    ModalResult = ResultadoModal::Nenhum;
    if (visao())
        visao()(*this);
    return ModalResult == ResultadoModal::Ok;
}

void instalaConfigGeral(MostraConfigGeral mostra)
{
    visao() = std::move(mostra);
}
