#pragma once

#include <string>
#include <string_view>

// The CNPJ a client certificate stands for, read as the authority reads it.
// Implemented in certificate_cnpj.cpp.

namespace testsupport::fakesefaz {

// The 14 digits after the last ':' of the subject's CN ("EMPRESA:11222333000181");
// when the CN holds none, the ICP-Brasil other name 2.16.76.1.3.3 of the
// subject alternative names of `certificatePem` (OCTET STRING or a character
// string, first 14 characters, all digits). Empty when neither gives one or
// the certificate does not read.
std::string certificateCnpj(std::string_view subject, std::string_view certificatePem);

} // namespace testsupport::fakesefaz
