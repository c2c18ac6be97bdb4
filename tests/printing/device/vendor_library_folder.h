#pragma once

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "printing/device/printer_hook.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

// A program folder for the USB printer hooks holding copies of the chosen
// stand-in vendor libraries ("epson", "elgin", "epson-sem-lemicr", built in
// fake-vendor/ of the build tree), with their script and call log. The hooks
// look there while the object lives; its registry of hooks is left to the
// test. Header only.
class VendorLibraryFolder {
  public:
    explicit VendorLibraryFolder(std::initializer_list<const char *> bibliotecas)
    {
        for (const char *biblioteca : bibliotecas) {
            const auto origem = testsupport::binaryDir() / "fake-vendor" / biblioteca;
            for (const auto &arquivo : std::filesystem::directory_iterator(origem))
                std::filesystem::copy_file(arquivo.path(), pasta_ / arquivo.path().filename().string());
        }
        roteiro_ = pasta_.write("roteiro.txt", "");
        registro_ = pasta_ / "chamadas.txt";
        ::setenv("NFE_FAKE_VENDOR_SCRIPT", roteiro_.c_str(), 1);
        ::setenv("NFE_FAKE_VENDOR_LOG", registro_.c_str(), 1);
        DefinirPastaBibliotecasHook(pasta_.path().string());
    }
    ~VendorLibraryFolder()
    {
        DefinirPastaBibliotecasHook({});
        ::unsetenv("NFE_FAKE_VENDOR_SCRIPT");
        ::unsetenv("NFE_FAKE_VENDOR_LOG");
    }
    VendorLibraryFolder(const VendorLibraryFolder &) = delete;
    VendorLibraryFolder &operator=(const VendorLibraryFolder &) = delete;

    // Replaces the script: "key=value" lines (see tests/support/fake_vendor/).
    void roteiro(const std::string &linhas) const { pasta_.write("roteiro.txt", linhas); }
    // The calls the libraries received so far, one line each.
    std::string chamadas() const
    {
        return std::filesystem::exists(registro_) ? testsupport::readFile(registro_) : std::string();
    }
    std::filesystem::path caminho(const std::string &arquivo) const { return pasta_ / arquivo; }

  private:
    testsupport::TempDir pasta_;
    std::filesystem::path roteiro_;
    std::filesystem::path registro_;
};
