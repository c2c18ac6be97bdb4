#pragma once

// Registers every back-end of this build with the facade's back-end registry
// (dfe/ssl/backend_registry.h). Idempotent and thread-safe; called once by the
// program's start-up, by nfe-check and by the tests. Implemented in backends.cpp.
void RegistraBackendsDFe();
