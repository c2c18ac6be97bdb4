#pragma once

#include <array>
#include <string_view>

// The groups of the printer tag table that the component loads and the model
// writers build their unsupported-tag lists from. Header only.

namespace pos_tags {

// clang-format off
inline constexpr std::array<std::string_view, 13> kTagsFonte = {
    "<e>", "</e>", "<a>", "</a>", "<n>", "</n>", "<s>", "</s>", "<c>", "</c>", "<i>", "</i>", "</fn>"};
inline constexpr std::array<std::string_view, 7> kTagsFonteExtra = {
    "</fa>", "</fb>", "<in>", "</in>", "</ae>", "</ce>", "</ad>"};
inline constexpr std::array<std::string_view, 3> kTagsLinha = {
    "</linha_simples>", "</linha_dupla>", "</pular_linhas>"};
inline constexpr std::array<std::string_view, 10> kTagsFuncao = {
    "</logo>", "</corte>", "</corte_parcial>", "</corte_total>", "</abre_gaveta>", "</beep>", "</zera>", "</lf>",
    "</cr>", "</reset>"};
inline constexpr std::array<std::string_view, 3> kTagsAlinhamento = {"<ad>", "<ae>", "<ce>"};
// The barcode blocks, "<qrcode>" last.
inline constexpr std::array<std::string_view, 16> kTagsBarras = {
    "<ean8>", "<ean13>", "<std>", "<inter>", "<code11>", "<code39>", "<code93>", "<code128>", "<upca>", "<upce>",
    "<codabar>", "<msi>", "<code128a>", "<code128b>", "<code128c>", "<qrcode>"};
// The page-mode tags, entering page mode ("<mp>") included.
inline constexpr std::array<std::string_view, 10> kTagsModoPagina = {
    "<mp>", "</mp>", "</mp_imprimir>", "<mp_direcao>", "<mp_esquerda>", "<mp_topo>", "<mp_largura>",
    "<mp_altura>", "<mp_espaco>", "</mp_configurar>"};
// Printing a stored logo and naming it.
inline constexpr std::array<std::string_view, 5> kTagsLogo = {
    "</logo>", "<logo_kc1>", "<logo_kc2>", "<logo_fatorx>", "<logo_fatory>"};
// What the ESC/POS writer cannot draw.
inline constexpr std::array<std::string_view, 3> kTagsNaoSuportadasEpson = {"<msi>", "<i>", "</i>"};
// clang-format on

} // namespace pos_tags
