#include "console/ui/config_geral/grupo_radio.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/ui/texto_qt.h"

GrupoRadio::GrupoRadio(const QString &titulo, const std::vector<std::string> &itens, QWidget *pai)
    : QGroupBox(titulo, pai), botoes_(new QButtonGroup(this))
{
    // Items of a word or two side by side; longer ones one under another.
    const bool longos = std::ranges::any_of(itens, [](const std::string &item) { return item.size() > 16; });
    QBoxLayout *linha = longos ? static_cast<QBoxLayout *>(new QVBoxLayout(this)) : new QHBoxLayout(this);
    for (std::size_t i = 0; i < itens.size(); ++i) {
        auto *botao = new QRadioButton(paraQString(itens[i]), this);
        botoes_->addButton(botao, static_cast<int>(i));
        linha->addWidget(botao);
    }
    linha->addStretch(1);
    connect(botoes_, &QButtonGroup::idClicked, this, [this](int indice) {
        if (aoEscolher)
            aoEscolher(indice);
    });
}

int GrupoRadio::indice() const
{
    return botoes_->checkedId();
}

void GrupoRadio::setIndice(int indice)
{
    if (QAbstractButton *botao = botoes_->button(indice)) {
        botao->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked: lift that to clear it.
    botoes_->setExclusive(false);
    for (QAbstractButton *botao : botoes_->buttons())
        botao->setChecked(false);
    botoes_->setExclusive(true);
}
