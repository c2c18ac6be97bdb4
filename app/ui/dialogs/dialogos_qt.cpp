#include "app/ui/dialogs/dialogos_qt.h"

#include <filesystem>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

#include "app/ui/texto_qt.h"
#include "foundation/files/windows_paths.h"

namespace {

QMessageBox::StandardButton caixa(QMessageBox::Icon icone, std::string_view titulo, std::string_view texto,
                                  QMessageBox::StandardButtons botoes)
{
    QMessageBox box(icone, paraTela(titulo), paraTela(texto), botoes, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// Each mask in the given case and in lower and upper case.
QString mascarasEmAmbasCaixas(const QString &mascaras)
{
    QStringList todas;
    for (const QString &mascara : mascaras.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        for (const QString &forma : {mascara, mascara.toLower(), mascara.toUpper()})
            if (!todas.contains(forma))
                todas << forma;
    }
    return todas.join(QLatin1Char(' '));
}

} // namespace

bool DialogosQt::atencao(std::string_view texto)
{
    return caixa(QMessageBox::Warning, "Warning", texto, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

bool DialogosQt::confirmacao(std::string_view texto)
{
    return caixa(QMessageBox::Question, "Confirmação", texto, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void DialogosQt::mensagem(std::string_view texto, std::string_view titulo)
{
    caixa(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok);
}

std::optional<std::string> DialogosQt::abrirArquivo(std::string_view filtro, std::string_view nomeInicial)
{
    QFileDialog dialogo(QApplication::activeWindow());
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setNameFilters(filtroQt(filtro).split(QStringLiteral(";;")));
    if (!nomeInicial.empty()) {
        const std::filesystem::path inicial(localPath(nomeInicial));
        dialogo.setDirectory(QString::fromStdString(inicial.parent_path().string()));
        dialogo.selectFile(QString::fromStdString(inicial.filename().string()));
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    return deQString(dialogo.selectedFiles().constFirst());
}

std::optional<std::string> DialogosQt::escolherPasta(std::string_view pastaInicial)
{
    const QString pasta = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(),
                                                            QString::fromStdString(localPath(pastaInicial)));
    if (pasta.isEmpty())
        return std::nullopt;
    return deQString(pasta);
}

std::optional<std::string> DialogosQt::entrada(std::string_view titulo, std::string_view pergunta,
                                               std::string_view padrao)
{
    bool ok = false;
    const QString texto =
        QInputDialog::getText(QApplication::activeWindow(), paraQString(titulo), paraQString(pergunta),
                              QLineEdit::Normal, paraQString(padrao), &ok);
    if (!ok)
        return std::nullopt;
    return deQString(texto);
}

QString filtroQt(std::string_view filtro)
{
    const QStringList partes = paraQString(filtro).split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i] + QStringLiteral(" (") + mascarasEmAmbasCaixas(partes[i + 1]) + QLatin1Char(')');
    return filtros.join(QStringLiteral(";;"));
}
