#pragma once

// The core of the note screen: it turns a staged note into the document
// monitor's request document and follows the monitor's answers. No Qt.
// Implemented in frm_nfe_2g.cpp and in the sources of request/ (one per
// group of request sections).
class TfrmNFE_2G {
  public:
    TfrmNFE_2G();
};
