#pragma once

#include <string_view>

// The fixed texts of the application shell, kept in one place. Stored user
// passwords and the suite's databases rely on them: changing any of them
// locks existing installations out.

// The maker's support account, created at login when it is missing.
inline constexpr std::string_view kContaSuporte = "MASTERKVL";
// The support account's password (stored enciphered like every password).
inline constexpr std::string_view kSenhaSuporte = "40719358";
// The name the support account's row is given.
inline constexpr std::string_view kNomeContaSuporte = "SENHA PADRÃO";

// The password that stands for an empty one, at login and when saving a user.
inline constexpr std::string_view kSenhaPadrao = "730594QT";

// The user and password of the connections to the suite's databases.
inline constexpr std::string_view kUsuarioBanco = "Sysdba";
inline constexpr std::string_view kSenhaBanco = "vandorilq";

// The key of the password cipher (column SENHA of USUARIO).
inline constexpr std::string_view kChaveCifraSenha = "3582";

// The suite's default mail account, which the settings screens' "Dados
// default KVL" buttons fill in.
inline constexpr std::string_view kEmailPadraoHost = "smtp.kvl.com.br";
inline constexpr std::string_view kEmailPadraoUsuario = "nfe@kvl.com.br";
// The emitter screens' NFS-e/CT-e settings fill in this password...
inline constexpr std::string_view kEmailPadraoSenha = "kov582";
// ...and the console's NF-e settings this one: the account's two stored
// passwords differ by screen, and each screen keeps its own.
inline constexpr std::string_view kEmailPadraoSenhaConsole = "Pul#604Pul";
inline constexpr std::string_view kEmailPadraoPorta = "587";

// The NF-e component project's pages that the console's links open.
inline constexpr std::string_view kPaginaColaboradores = "https://www.projetoquib.com.br/colaboradores";
inline constexpr std::string_view kPaginaPatrocinadores = "https://www.projetoquib.com.br/patrocinadores";
inline constexpr std::string_view kPaginaDoacoes = "https://www.projetoquib.com.br/doacoes";

// The maker's data as technical responsible, written for every company by
// the schema updater into the "Responsavel" settings section.
inline constexpr std::string_view kRespTecnicoCnpj = "07.482.611/0001-03";
inline constexpr std::string_view kRespTecnicoNome = "Suporte Técnico KVL";
inline constexpr std::string_view kRespTecnicoEmail = "suporte@kvl.com.br";
inline constexpr std::string_view kRespTecnicoFone = "5133334444";
inline constexpr std::string_view kRespTecnicoIdCsrt = "01";

// The password that lets the management screen bring over the suite's older
// data ("Upgrade de dados").
inline constexpr std::string_view kSenhaUpgrade = "KVLUPGRADE";
