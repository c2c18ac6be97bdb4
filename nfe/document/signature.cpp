#include "nfe/document/signature.h"

void TSignature::Assign(const TSignature &source)
{
    URI = source.URI;
    DigestValue = source.DigestValue;
    SignatureValue = source.SignatureValue;
    X509Certificate = source.X509Certificate;
}
