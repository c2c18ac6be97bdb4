#include "app/ui/dados/grade_tabela.h"

#include <QTableWidget>

#include "app/db/data_set.h"
#include "app/ui/texto_qt.h"

int linhaAtual(db::DataSet &tabela)
{
    if (tabela.state() != db::DataSet::State::Browse || tabela.isEmpty())
        return 0;
    int linha = 0;
    for (; !tabela.bof(); tabela.prior())
        ++linha;
    const int atual = linha > 0 ? linha - 1 : 0;
    vaiParaLinha(tabela, atual);
    return atual;
}

void vaiParaLinha(db::DataSet &tabela, int linha)
{
    tabela.first();
    for (int i = 0; i < linha && !tabela.eof(); ++i)
        tabela.next();
}

void preencheGrade(QTableWidget *grade, db::DataSet *tabela, const std::vector<std::string> &campos)
{
    if (!tabela || !tabela->active()) {
        grade->setRowCount(0);
        return;
    }
    if (tabela->state() != db::DataSet::State::Browse)
        return;
    const int atual = linhaAtual(*tabela);
    grade->setRowCount(static_cast<int>(tabela->recordCount()));
    int linha = 0;
    for (tabela->first(); !tabela->eof(); tabela->next(), ++linha)
        for (int coluna = 0; coluna < static_cast<int>(campos.size()); ++coluna)
            grade->setItem(linha, coluna,
                           new QTableWidgetItem(paraQString(tabela->field(campos[coluna]).asString())));
    vaiParaLinha(*tabela, atual);
    if (grade->rowCount() > 0)
        grade->selectRow(atual);
}
