#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RelatorioTexto;
class TfrmRdp;

// The preview of a text report: one page at a time as fixed-pitch text, the
// page buttons, "Imprimir" (sends the report to its printer) and "Fechar".
// The report must outlive the window. Implemented in
// visualizacao_relatorio_view.cpp.
class VisualizacaoRelatorio : public QDialog {
  public:
    explicit VisualizacaoRelatorio(const RelatorioTexto &relatorio, QWidget *parent = nullptr);

  private:
    void mostra();

    const RelatorioTexto &relatorio_;
    std::size_t pagina_ = 0;
    QPlainTextEdit *texto;
    QLabel *lblPagina;
    QPushButton *btnAnterior;
    QPushButton *btnProximo;
};

// Makes the report object show its previews in this window.
void instalaVisualizacaoRelatorio(TfrmRdp &rdp);
