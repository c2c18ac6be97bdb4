#pragma once

#include "dfe/ssl/dados_certificado.h"

#include <functional>
#include <string>
#include <string_view>

// The certificate picker that the store back-ends show for
// SelecionarCertificado. The console installs its own at start-up; with none
// installed every selection acts as a cancel. Implemented in
// certificate_selector.cpp; thread-safe.

// Gets the store's certificates and the back-end's title and text; answers
// the chosen certificate's NumeroSerie, or empty for a cancel.
using SeletorCertificado = std::function<std::string(const TListaCertificados &Certificados,
                                                     std::string_view Titulo, std::string_view Texto)>;

// Installs the picker (an empty function removes it).
void DefinirSeletorCertificado(SeletorCertificado seletor);

// Shows the installed picker; empty when none is installed.
std::string MostrarSeletorCertificado(const TListaCertificados &Certificados, std::string_view Titulo,
                                      std::string_view Texto);
