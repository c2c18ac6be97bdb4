#pragma once

class FrmPathIbView;
class QWidget;
class TdtmGerencia;

// The main window's "Modulo de Gerencia" command: opens the management data
// module's tables, shows the management module screen for system 100
// modally (with the start-up's location editor, the management address
// dialog, the report object and the user's older data), then closes the
// tables and the connection again. A failure to open is reported and the
// screen is not shown. Implemented in modulo_gerencia.cpp.
void abreModuloGerencia(TdtmGerencia &gerencia, FrmPathIbView &pathIb, QWidget *parent = nullptr);
