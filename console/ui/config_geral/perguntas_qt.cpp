#include "console/ui/config_geral/perguntas_qt.h"

#include "app/dialogs/dialogos.h"
#include "app/ui/texto_qt.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// "desc|mask|desc|mask" as Qt's "desc (mask);;desc (mask)".
QString filtroQt(std::string_view filtro)
{
    QStringList partes = paraQString(filtro).split(QLatin1Char('|'));
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i] + QStringLiteral(" (") +
                       partes[i + 1].replace(QLatin1Char(';'), QLatin1Char(' ')) + QStringLiteral(")");
    return filtros.join(QStringLiteral(";;"));
}

} // namespace

std::optional<std::string> PerguntasQt::InputBox(std::string_view legenda, std::string_view pergunta,
                                                 std::string_view padrao)
{
    bool ok = false;
    const QString texto = QInputDialog::getText(janela_, paraQString(legenda), paraQString(pergunta),
                                                QLineEdit::Normal, paraQString(padrao), &ok);
    if (!ok || texto.isEmpty())
        return std::nullopt;
    return deQString(texto);
}

std::optional<std::string> PerguntasQt::abrirArquivo(const DialogoArquivo &dialogo)
{
    const QString arquivo = QFileDialog::getOpenFileName(
        janela_, paraQString(dialogo.titulo), paraQString(dialogo.pastaInicial), filtroQt(dialogo.filtro));
    if (arquivo.isEmpty())
        return std::nullopt;
    return deQString(arquivo);
}

void PerguntasQt::mensagem(std::string_view texto)
{
    dialogos().mensagem(texto, "");
}

void PerguntasQt::erro(std::string_view texto)
{
    dialogos().mensagem(texto, "Erro de sistema");
}

bool PerguntasQt::confirmacao(std::string_view texto)
{
    return dialogos().confirmacao(texto);
}
