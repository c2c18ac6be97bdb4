#pragma once

#include <QGroupBox>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;

// A titled radio group holding a list control's items, one button per item
// in order: the index is the checked button's position, -1 when none is
// checked. Implemented in grupo_radio.cpp.
class GrupoRadio : public QGroupBox {
  public:
    GrupoRadio(const QString &titulo, const std::vector<std::string> &itens, QWidget *pai);

    int indice() const;
    // Checks the item at `indice`; any index outside the items clears the choice.
    void setIndice(int indice);
    // Called with the index when the operator checks an item.
    std::function<void(int)> aoEscolher;

  private:
    QButtonGroup *botoes_;
};
