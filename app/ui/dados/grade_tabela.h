#pragma once

#include <string>
#include <vector>

class QTableWidget;
namespace db {
class DataSet;
}

// A read-only grid over a data set's rows, shared by the management views.
// Implemented in grade_tabela.cpp.

// The index of the current row (0 for an empty or inactive table). The table
// must be browsing; it stays on its row.
int linhaAtual(db::DataSet &tabela);
// Moves a browsing table to the row of that index.
void vaiParaLinha(db::DataSet &tabela, int linha);
// Fills the grid with the fields of every row and selects the current one;
// a table being edited, or closed, leaves the grid as it is (closed: empty).
void preencheGrade(QTableWidget *grade, db::DataSet *tabela, const std::vector<std::string> &campos);
