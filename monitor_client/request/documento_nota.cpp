// The note request document: every section writer in the document's order.

#include "monitor_client/frm_nfe_2g.h"

std::vector<std::string> TfrmNFE_2G::MontaDocumentoNota()
{
    Requisicao.clear();
    GeraEmitente();
    GeraDestinatario();
    GeraTransportadorVolumes();
    // The item blocks come before the totals and the additional text, which
    // need their running totals, but reach the document last.
    GeraProdutos_Memo();
    GeraInfoADC();
    GeraICMSTotal_com_VtotTrib();
    GeraExporta();
    GeraFatura();
    Writeln_memo("GRAVA_PARA_TXT");
    return Requisicao;
}
