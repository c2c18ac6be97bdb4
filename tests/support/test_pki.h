#pragma once

#include <string>

// A small ICP-Brasil-like certificate hierarchy, made with the OpenSSL API
// into a temporary folder the first time a test program asks for it and
// removed when the program ends, so no certificate of the tests ever expires
// in the repository.
//
// The files are made in a private OpenSSL library context (with the "legacy"
// provider loaded there for the RC2-40 files), so the process-wide context
// that the code under test uses stays untouched.
//
// End certificates are issued by `intermediate` (itself issued by `root`)
// unless said otherwise; `foreignClient` is issued by `foreignCa`. Every PFX
// carries the intermediate and the root as its CA certificates.

namespace testsupport {

struct TestCert {         // paths of files in the PKI folder
    std::string certPem;  // the certificate, PEM
    std::string keyPem;   // its private key, PEM (unencrypted)
    std::string pfxAes;   // PKCS#12, AES (OpenSSL's default), password below
    std::string pfxRc2;   // PKCS#12, RC2-40 certificates / 3DES key (legacy)
    std::string password; // PFX password
};

struct TestPki {
    std::string folder;
    // root: CN "AC RAIZ TESTE"; intermediate: CN "AC TESTE RFB v5"; foreignCa: CN "AC ESTRANGEIRA TESTE".
    TestCert root, intermediate, foreignCa;
    // CN "EMPRESA TESTE LTDA:11222333000181", other names 2.16.76.1.3.3 (CNPJ,
    // OCTET STRING), 2.16.76.1.3.2 and 2.16.76.1.3.4 (the person in charge).
    TestCert ecnpj;
    // CN "EMPRESA IMPRESSA LTDA" (no number), CNPJ 11444777000161 only in the
    // other name, as a PrintableString.
    TestCert ecnpjPrintable;
    // CN "SERVIÇOS DE INFORMÁTICA ÁGUA LTDA" (UTF8String, no number), CNPJ
    // 22333444000181 only in the other name (OCTET STRING), no other entries.
    TestCert ecnpjOtherNameOnly;
    // CN "FULANO DE TAL DA SILVA" (no number), other name 2.16.76.1.3.1:
    // birth date "01011980", CPF "12345678909", then NIS, RG and its issuer.
    TestCert ecpf;
    // notAfter UTCTime 991231235959Z (notBefore 980101000000Z).
    TestCert expired1999;
    // notAfter UTCTime 491231235959Z.
    TestCert ends2049;
    // notAfter GeneralizedTime 20511231235959Z.
    TestCert ends2051;
    // serial 12 00 34 00 56 ("1200340056").
    TestCert serialInnerZero;
    // serial 9A BC DE F0 12, stored with a sign byte 00 ("9ABCDEF012").
    TestCert serialHighBit;
    // CN "localhost", subject alternative names DNS localhost and IP 127.0.0.1,
    // server authentication.
    TestCert server;
    // CN "CLIENTE ESTRANGEIRO LTDA:55666777000181", issued by foreignCa.
    TestCert foreignClient;
    // 4096-bit key, CN "EMPRESA GRANDE LTDA:99888777000100".
    TestCert rsa4096;
    std::string chainPem; // intermediate + root, PEM, for verifiers
};

// Made on first call (thread-safe), removed at program exit.
const TestPki &testPki();

} // namespace testsupport

// The PKI is also reachable without the namespace, as the tests of every layer
// name it.
using testsupport::TestCert;
using testsupport::TestPki;
using testsupport::testPki;
