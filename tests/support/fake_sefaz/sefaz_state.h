#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// What the fake authority holds between requests: the notes it authorised,
// the batches behind its receipts, the events it registered and the
// documents it can distribute. Guarded by the fake's lock.

namespace testsupport::fakesefaz {

struct HeldNote {
    std::string nfeXml;                   // the NFe element as received, signed
    std::string protXml;                  // its protNFe
    int cStat = 0;                        // of its protocol
    std::vector<std::string> procEventos; // procEventoNFe of its registered events
    bool cancelled = false;
};

struct SefazState {
    std::map<std::string, HeldNote> notes;                   // by access key
    std::map<std::string, std::vector<std::string>> batches; // receipt -> protNFe of each note
    std::map<std::string, int> protocolStatus;               // access key -> cStat its protocol gets
    // Documents to distribute in NSU order (NSU = index + 1): schema name and XML.
    std::vector<std::pair<std::string, std::string>> documents;
    long long serial = 0; // numbers of receipts and protocols
};

} // namespace testsupport::fakesefaz
