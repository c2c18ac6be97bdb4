#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/enum_names.h"
#include "foundation/dates/date_time.h"
#include "foundation/files/mem_ini_file.h"

class TConfiguracoes;

// The parts of a saved file's folder, in the order they are appended.
enum TTagOrdenacaoPath : std::uint8_t { opNenhum, opCNPJ, opModelo, opData, opLiteral, opIE };
template <>
inline constexpr auto kEnumNames<TTagOrdenacaoPath> = std::to_array<EnumName<TTagOrdenacaoPath>>({
    {opNenhum, "opNenhum"},
    {opCNPJ, "opCNPJ"},
    {opModelo, "opModelo"},
    {opData, "opData"},
    {opLiteral, "opLiteral"},
    {opIE, "opIE"},
});

class TOrdenacaoPathItem {
  public:
    TTagOrdenacaoPath Item = opNenhum;
    void CopiarDe(const TOrdenacaoPathItem &origem) { Item = origem.Item; }
    // "(nenhum)", "CNPJ", "Modelo", "Data", "Literal"; empty for opIE.
    std::string NomeDeExibicao() const;
};

// The folder order of MontarPath; owns its items.
class TOrdenacaoPath {
  public:
    TOrdenacaoPathItem &Novo();
    TOrdenacaoPathItem &ObterItem(int index);
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

  private:
    std::vector<std::unique_ptr<TOrdenacaoPathItem>> items_;
};

struct TDownloadConf {
    std::string PathDownload;
    bool SepararPorNome = false;
    void CopiarDe(const TDownloadConf &origem) { *this = origem; }
};

// Folders and file naming of a fiscal-document component.
//
// Folder settings are kept as given (a stored Windows path stays a Windows
// path; it is mapped when a folder is created or a file written). Reading
// PathSalvar or PathSchemas gives the value trimmed with a trailing separator,
// or the program folder + "Docs" / "Schemas" when empty; IniServicos gives the
// program folder + NomeRecursoServicos + ".ini" when empty. The first read
// fixes the value into the object.
//
// Clearing SepararPorMes clears SepararPorDia; setting SepararPorDia sets
// SepararPorMes. MontarPath fills an empty OrdenacaoPath once from the flags;
// later flag changes do not change the order (the date part still follows
// the year, month and day flags). The folders are created; a failure raises
// FileWriteError. Implemented in arquivos_conf.cpp and arquivos_conf_path.cpp.
class TArquivosConf {
  public:
    explicit TArquivosConf(TConfiguracoes &configuracoes) : configuracoes_(configuracoes) {}
    virtual ~TArquivosConf() = default;
    TArquivosConf(const TArquivosConf &) = delete;
    TArquivosConf &operator=(const TArquivosConf &) = delete;

    virtual void CopiarDe(const TArquivosConf &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    virtual void CarregarDoIni(const MemIniFile &ini);
    // The folder for a document: base (empty: PathSalvar), then the parts of
    // OrdenacaoPath. An empty CNPJ takes the certificate's; an empty model
    // name the component's NomeDoModeloDFe; a zero date is now.
    virtual std::string MontarPath(std::string_view pasta, std::string_view literal, std::string_view cnpj,
                                   std::string_view ie, TDateTime data, std::string_view modeloDescr = "");
    std::string MontarPathDownload(std::string_view nome, std::string_view cnpj, std::string_view ie,
                                   TDateTime data);
    std::string MontarPathDownloadEvento(TpcnTipoEvento tipoEvento, std::string_view nome,
                                         std::string_view cnpj, std::string_view ie, TDateTime data);

    std::string PathSalvar() const;
    void SetPathSalvar(std::string_view value) { pathSalvar_ = value; }
    std::string PathSchemas() const;
    void SetPathSchemas(std::string_view value) { pathSchemas_ = value; }
    std::string IniServicos() const;
    void SetIniServicos(std::string_view value) { iniServicos_ = value; }

    bool Salvar = true;
    bool AdicionarLiteral = false;
    bool SepararPorCNPJ = false;
    bool SepararPorIE = false;
    bool SepararPorModelo = false;
    bool SepararPorAno = false;
    bool SepararPorMes() const { return separarPorMes_; }
    void SetSepararPorMes(bool value);
    bool SepararPorDia() const { return separarPorDia_; }
    void SetSepararPorDia(bool value);
    TOrdenacaoPath OrdenacaoPath;
    TDownloadConf DownloadDFe;

  protected:
    // The folder with one sub-folder more (in the folder's own path style),
    // created when missing (FileWriteError when it cannot be).
    static std::string SubpastaCriada(std::string_view pasta, std::string_view subpasta);

    TConfiguracoes &configuracoes_;

  private:
    std::string baseDownload(std::string_view nome);

    mutable std::string pathSalvar_;
    mutable std::string pathSchemas_;
    mutable std::string iniServicos_;
    bool separarPorMes_ = false;
    bool separarPorDia_ = false;
};
