#pragma once

#include <string>

#include "foundation/dates/fuso_horario.h"

// What the current time in a fiscal-document component's zone depends on:
// two settings of the component's web-service configuration. The component
// implements this; nothing is written back to it.
//
// Header only: no source of its own.
class DFeZoneSettings {
  public:
    virtual ~DFeZoneSettings() = default;

    // Configuracoes.WebServices.TimeZoneConf: its mode decides whether any
    // conversion happens.
    virtual const TTimeZoneConf &webServicesTimeZoneConf() const = 0;
    // Configuracoes.WebServices.UF: the state abbreviation of the settings.
    virtual std::string webServicesUF() const = 0;
};
