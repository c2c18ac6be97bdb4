#pragma once

// pxlib's header declares no C linkage of its own.
extern "C" {
#include <paradox.h>
}

// The functions of pxlib (the Paradox table library) that the older-data
// reader and its test fixture use. The library is loaded on first use, not
// linked: it brings a large set of libraries of its own that every program
// of the shell would otherwise load. Implemented in pxlib.cpp.
struct Pxlib {
    int (*boot)();
    pxdoc_t *(*novo)();
    int (*abre)(pxdoc_t *, const char *);
    int (*cria)(pxdoc_t *, pxfield_t *, int, const char *, int);
    int (*numeroCampos)(pxdoc_t *);
    pxfield_t *(*campos)(pxdoc_t *);
    int (*numeroRegistros)(pxdoc_t *);
    pxval_t **(*leRegistro)(pxdoc_t *, int);
    int (*gravaRegistro)(pxdoc_t *, char *);
    void (*gravaTexto)(pxdoc_t *, char *, int, char *);
    void (*gravaLong)(pxdoc_t *, char *, int, int);
    char *(*duplica)(pxdoc_t *, const char *);
    void (*fecha)(pxdoc_t *);
    void (*apaga)(pxdoc_t *);
};

// The loaded library, booted; null when it is not installed.
const Pxlib *pxlib();
