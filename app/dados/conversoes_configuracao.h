#pragma once

class TdtmNFE_grd;

// The settings conversions of the schema updater, one per company of
// CONFIGNFE (the company being CNPJ_EMI reduced to its digits):
// - passo28 ticks the flat "chkValidarXml" ("0");
// - passo73 copies the flat settings of the NFS-e/CT-e screen into the
//   console's sections and fills the sections that have no flat source;
// - passo85 writes the technical-responsible section.
// None commits: the updater commits the step once, so a failure at any
// company leaves every company as it was. A flat value that must be a
// number and is not raises ConversionError naming the company and key;
// database failures raise DatabaseError. passo73 and passo85 walk the
// module's CONFIGNFE table (opened when closed) and leave CnpjEmpresa at
// its last company. Implemented in conversoes_configuracao.cpp.
void passo28(TdtmNFE_grd &modulo);
void passo73(TdtmNFE_grd &modulo);
void passo85(TdtmNFE_grd &modulo);
