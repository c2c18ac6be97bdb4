#include "app/dados/consulta_selecao.h"

bool ConsultaSelecao::abre(db::Transaction &transacao, std::string sql,
                           const std::vector<db::Value> &parametros)
{
    fecha();
    sql_ = std::move(sql);
    comando_ = std::make_unique<db::Statement>(transacao, sql_);
    try {
        cursor_.emplace(comando_->open(parametros));
        eof_ = !cursor_->next();
    } catch (...) {
        fecha();
        throw;
    }
    return !eof_;
}

void ConsultaSelecao::fecha()
{
    cursor_.reset();
    comando_.reset();
    eof_ = true;
}

void ConsultaSelecao::proximo()
{
    if (cursor_ && !eof_)
        eof_ = !cursor_->next();
}

const db::Value &ConsultaSelecao::campo(std::string_view nome) const
{
    static const db::Value nulo;
    if (!cursor_ || eof_)
        return nulo;
    return cursor_->field(nome);
}
