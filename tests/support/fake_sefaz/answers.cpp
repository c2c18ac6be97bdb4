#include "tests/support/fake_sefaz/answers.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "tests/support/fake_sefaz/packing.h"
#include "tests/support/fake_sefaz/states.h"

namespace testsupport::fakesefaz {

namespace {

constexpr const char *kVerAplic = "FAKE-SEFAZ-1.0";

std::string now()
{
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()) - 3 * 3600;
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S-03:00", &parts);
    return text;
}

std::string el(std::string_view name, std::string_view value)
{
    return "<" + std::string(name) + ">" + escapeXml(value) + "</" + std::string(name) + ">";
}

std::string open(std::string_view root, std::string_view versao)
{
    return "<" + std::string(root) + " xmlns=\"" + std::string(kNfeNamespace) + "\" versao=\"" +
           std::string(versao) + "\">";
}

std::string close(std::string_view root)
{
    return "</" + std::string(root) + ">";
}

std::string number(SefazState &state, std::string_view cUF)
{
    char tail[16];
    std::snprintf(tail, sizeof tail, "%013lld", ++state.serial);
    return std::string(cUF) + tail; // 15 digits
}

std::string tpAmbOf(const xmlNode *root)
{
    const std::string tpAmb = descendantText(root, "tpAmb");
    return tpAmb.empty() ? "2" : tpAmb;
}

std::string holdDocument(SefazState &state, std::string schema, std::string xml)
{
    state.documents.emplace_back(std::move(schema), std::move(xml));
    return std::to_string(state.documents.size());
}

std::string protNFe(SefazState &state, const xmlNode *nfe, std::string_view tpAmb, std::string_view cUF)
{
    const xmlNode *inf = descendant(nfe, "infNFe");
    const std::string chave = attribute(inf, "Id").substr(3);
    const auto scripted = state.protocolStatus.find(chave);
    const int cStat = scripted != state.protocolStatus.end() ? scripted->second : 100;
    const std::string nProt = number(state, cUF);
    const std::string dhRecbto = now();
    std::string prot = "<protNFe versao=\"4.00\"><infProt>" + el("tpAmb", tpAmb) + el("verAplic", kVerAplic) +
                       el("chNFe", chave) + el("dhRecbto", dhRecbto);
    if (cStat == 100 || cStat == 150 || cStat == 110 || (cStat >= 301 && cStat <= 303))
        prot += el("nProt", nProt);
    prot += el("digVal", descendantText(nfe, "DigestValue")) + el("cStat", std::to_string(cStat)) +
            el("xMotivo", motivo(cStat)) + "</infProt></protNFe>";
    if (cStat == 100 || cStat == 150) {
        HeldNote &held = state.notes[chave];
        held.nfeXml = nodeXml(nfe);
        held.protXml = prot;
        held.cStat = cStat;
        const std::string cnpj = descendantText(descendant(nfe, "emit"), "CNPJ");
        const std::string res = open("resNFe", "1.01") + el("chNFe", chave) + el("CNPJ", cnpj) +
                                el("xNome", descendantText(descendant(nfe, "emit"), "xNome")) +
                                el("IE", descendantText(descendant(nfe, "emit"), "IE")) +
                                el("dhEmi", descendantText(nfe, "dhEmi")) +
                                el("tpNF", descendantText(nfe, "tpNF")) +
                                el("vNF", descendantText(descendant(nfe, "ICMSTot"), "vNF")) +
                                el("digVal", descendantText(nfe, "DigestValue")) + el("dhRecbto", dhRecbto) +
                                el("nProt", nProt) + el("cSitNFe", "1") + close("resNFe");
        holdDocument(state, "resNFe_v1.01.xsd", res);
        holdDocument(state, "procNFe_v4.00.xsd",
                     open("nfeProc", "4.00") + held.nfeXml + held.protXml + close("nfeProc"));
    }
    return prot;
}

std::vector<const xmlNode *> children(const xmlNode *root, std::string_view name)
{
    std::vector<const xmlNode *> found;
    for (const xmlNode *c = root->children; c != nullptr; c = c->next)
        if (c->type == XML_ELEMENT_NODE && localName(c) == name)
            found.push_back(c);
    return found;
}

Answer status(const xmlNode *root, const AnswerOptions &o)
{
    const int cStat = o.cStat != 0 ? o.cStat : 107;
    std::string cUF = descendantText(root, "cUF");
    if (cUF.empty())
        cUF = o.cUF;
    std::string xml = open("retConsStatServ", "4.00") + el("tpAmb", tpAmbOf(root)) +
                      el("verAplic", kVerAplic) + el("cStat", std::to_string(cStat)) +
                      el("xMotivo", motivo(cStat)) + el("cUF", cUF) + el("dhRecbto", now());
    if (cStat == 107)
        xml += el("tMed", "1");
    return {xml + close("retConsStatServ"), cStat};
}

Answer batch(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const bool sync = descendantText(root, "indSinc") == "1";
    const int cStat = o.cStat != 0 ? o.cStat : (sync ? 104 : 103);
    const auto notes = children(root, "NFe");
    std::string cUF = notes.empty() ? "" : descendantText(notes.front(), "cUF");
    if (cUF.empty())
        cUF = o.cUF;
    const std::string tpAmb = tpAmbOf(root);
    std::string xml = open("retEnviNFe", "4.00") + el("tpAmb", tpAmb) + el("verAplic", kVerAplic) +
                      el("cStat", std::to_string(cStat)) + el("xMotivo", motivo(cStat)) + el("cUF", cUF) +
                      el("dhRecbto", now());
    if (cStat == 103) {
        const std::string nRec = number(state, cUF);
        std::vector<std::string> &prots = state.batches[nRec];
        for (const xmlNode *nfe : notes)
            prots.push_back(protNFe(state, nfe, tpAmb, cUF));
        xml += "<infRec>" + el("nRec", nRec) + el("tMed", "1") + "</infRec>";
    } else if (cStat == 104 && !notes.empty()) {
        xml += protNFe(state, notes.front(), tpAmb, cUF);
    }
    return {xml + close("retEnviNFe"), cStat};
}

Answer receipt(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const std::string nRec = descendantText(root, "nRec");
    const auto held = state.batches.find(nRec);
    const int cStat = o.cStat != 0 ? o.cStat : (held != state.batches.end() ? 104 : 106);
    std::string xml = open("retConsReciNFe", "4.00") + el("tpAmb", tpAmbOf(root)) +
                      el("verAplic", kVerAplic) + el("nRec", nRec) + el("cStat", std::to_string(cStat)) +
                      el("xMotivo", motivo(cStat)) + el("cUF", nRec.size() >= 2 ? nRec.substr(0, 2) : o.cUF) +
                      el("dhRecbto", now());
    if (cStat == 104 && held != state.batches.end())
        for (const std::string &prot : held->second)
            xml += prot;
    return {xml + close("retConsReciNFe"), cStat};
}

Answer situation(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const std::string chave = descendantText(root, "chNFe");
    const auto held = state.notes.find(chave);
    int cStat = 217;
    if (held != state.notes.end())
        cStat = held->second.cancelled ? 101 : held->second.cStat;
    if (o.cStat != 0)
        cStat = o.cStat;
    std::string xml = open("retConsSitNFe", "4.00") + el("tpAmb", tpAmbOf(root)) + el("verAplic", kVerAplic) +
                      el("cStat", std::to_string(cStat)) + el("xMotivo", motivo(cStat)) +
                      el("cUF", chave.size() >= 2 ? chave.substr(0, 2) : o.cUF) + el("dhRecbto", now()) +
                      el("chNFe", chave);
    if (held != state.notes.end() && cStat != 217) {
        xml += held->second.protXml;
        for (const std::string &proc : held->second.procEventos)
            xml += proc;
    }
    return {xml + close("retConsSitNFe"), cStat};
}

Answer voiding(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const int cStat = o.cStat != 0 ? o.cStat : 102;
    const xmlNode *inf = descendant(root, "infInut");
    const std::string cUF = descendantText(inf, "cUF");
    std::string xml = open("retInutNFe", "4.00") + "<infInut>" + el("tpAmb", tpAmbOf(root)) +
                      el("verAplic", kVerAplic) + el("cStat", std::to_string(cStat)) +
                      el("xMotivo", motivo(cStat)) + el("cUF", cUF);
    for (const char *field : {"ano", "CNPJ", "mod", "serie", "nNFIni", "nNFFin"})
        xml += el(field, descendantText(inf, field));
    xml += el("dhRecbto", now());
    if (cStat == 102)
        xml += el("nProt", number(state, cUF));
    return {xml + "</infInut>" + close("retInutNFe"), cStat};
}

Answer registry(const xmlNode *root, const AnswerOptions &o)
{
    const int cStat = o.cStat != 0 ? o.cStat : 111;
    const xmlNode *inf = descendant(root, "infCons");
    const std::string uf = descendantText(inf, "UF");
    std::string asked;
    for (const char *field : {"IE", "CNPJ", "CPF"})
        if (const xmlNode *given = child(inf, field))
            asked = el(field, textOf(given));
    std::string xml = open("retConsCad", "2.00") + "<infCons>" + el("verAplic", kVerAplic) +
                      el("cStat", std::to_string(cStat)) + el("xMotivo", motivo(cStat)) + el("UF", uf) +
                      asked + el("dhCons", now()) + el("cUF", stateCode(uf, o.cUF));
    // 111: the taxpayer asked; 112: it and a second establishment.
    for (int i = 0; i < (cStat == 111 ? 1 : cStat == 112 ? 2 : 0); ++i) {
        const std::string ie = i == 0 ? descendantText(inf, "IE") : "110042490220";
        const std::string cnpj = i == 0 ? descendantText(inf, "CNPJ") : "11222333000262";
        xml += "<infCad>" + el("IE", ie.empty() ? "110042490114" : ie) +
               el("CNPJ", cnpj.empty() ? "11222333000181" : cnpj) + el("UF", uf) + el("cSit", "1") +
               el("indCredNFe", "1") + el("indCredCTe", "4") + el("xNome", "EMPRESA CONSULTADA LTDA") +
               "</infCad>";
    }
    return {xml + "</infCons>" + close("retConsCad"), cStat};
}

Answer events(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const int cStat = o.cStat != 0 ? o.cStat : 128;
    const auto eventos = children(root, "evento");
    const std::string cOrgao = eventos.empty() ? o.cUF : descendantText(eventos.front(), "cOrgao");
    const std::string tpAmb = tpAmbOf(root);
    std::string xml = open("retEnvEvento", "1.00") + el("idLote", descendantText(root, "idLote")) +
                      el("tpAmb", tpAmb) + el("verAplic", kVerAplic) + el("cOrgao", cOrgao) +
                      el("cStat", std::to_string(cStat)) + el("xMotivo", motivo(cStat));
    std::vector<std::string> results;
    for (const xmlNode *evento : cStat == 128 ? eventos : std::vector<const xmlNode *>{}) {
        const xmlNode *inf = descendant(evento, "infEvento");
        const std::string chave = descendantText(inf, "chNFe");
        const std::string tpEvento = descendantText(inf, "tpEvento");
        const std::string nSeq = descendantText(inf, "nSeqEvento");
        // xEvento needs five characters; the EPEC's description has four.
        const std::string descricao = descendantText(inf, "descEvento");
        const std::string xEvento = descricao.size() < 5 ? descricao + " registrado" : descricao;
        const std::string nProt = number(state, cOrgao);
        const std::string dhReg = now();
        const int status = o.eventStatus != 0 ? o.eventStatus : 135;
        const std::string ret = "<retEvento versao=\"1.00\"><infEvento>" + el("tpAmb", tpAmb) +
                                el("verAplic", kVerAplic) + el("cOrgao", descendantText(inf, "cOrgao")) +
                                el("cStat", std::to_string(status)) + el("xMotivo", motivo(status)) +
                                el("chNFe", chave) + el("tpEvento", tpEvento) + el("xEvento", xEvento) +
                                el("nSeqEvento", nSeq) + el("dhRegEvento", dhReg) + el("nProt", nProt) +
                                "</infEvento></retEvento>";
        results.push_back(ret);
        const std::string proc = open("procEventoNFe", "1.00") + nodeXml(ownDocument(evento)->children) +
                                 ret + close("procEventoNFe");
        if (const auto note = state.notes.find(chave); note != state.notes.end()) {
            note->second.procEventos.push_back(proc);
            note->second.cancelled = note->second.cancelled || tpEvento == "110111";
        }
        const std::string res = open("resEvento", "1.01") + el("cOrgao", descendantText(inf, "cOrgao")) +
                                el("CNPJ", descendantText(inf, "CNPJ")) + el("chNFe", chave) +
                                el("dhEvento", descendantText(inf, "dhEvento")) + el("tpEvento", tpEvento) +
                                el("nSeqEvento", nSeq) + el("xEvento", xEvento) + el("dhRecbto", dhReg) +
                                el("nProt", nProt) + close("resEvento");
        holdDocument(state, "resEvento_v1.01.xsd", res);
        holdDocument(state, "procEventoNFe_v1.00.xsd", proc);
    }
    if (o.reverseEvents)
        std::reverse(results.begin(), results.end());
    for (const std::string &ret : results)
        xml += ret;
    return {xml + close("retEnvEvento"), cStat};
}

Answer csc(const xmlNode *root, const AnswerOptions &o)
{
    const int cStat = o.cStat != 0 ? o.cStat : 150;
    std::string xml = open("retAdmCscNFCe", "1.00") + el("tpAmb", tpAmbOf(root)) +
                      el("indOp", descendantText(root, "indOp")) + el("cStat", std::to_string(cStat)) +
                      el("xMotivo", motivo(cStat));
    if (cStat == 150 && descendantText(root, "indOp") != "3")
        xml += "<dadosCsc>" + el("idCsc", "000001") + el("codigoCsc", "0123456789ABCDEF") + "</dadosCsc>";
    return {xml + close("retAdmCscNFCe"), cStat};
}

Answer distribution(SefazState &state, const xmlNode *root, const AnswerOptions &o)
{
    const std::size_t held = state.documents.size();
    std::vector<std::size_t> chosen; // indexes
    if (const xmlNode *cons = descendant(root, "consNSU")) {
        const std::size_t nsu = std::stoull("0" + descendantText(cons, "NSU"));
        if (nsu >= 1 && nsu <= held)
            chosen.push_back(nsu - 1);
    } else if (const xmlNode *byKey = descendant(root, "consChNFe")) {
        const std::string chave = descendantText(byKey, "chNFe");
        for (std::size_t i = 0; i < held; ++i)
            if (state.documents[i].second.find(chave) != std::string::npos)
                chosen.push_back(i);
    } else {
        const std::size_t last = std::stoull("0" + descendantText(root, "ultNSU"));
        for (std::size_t i = last; i < held && chosen.size() < 50; ++i)
            chosen.push_back(i);
    }
    const int cStat = o.cStat != 0 ? o.cStat : (chosen.empty() ? 137 : 138);
    char ult[16], max[16];
    std::snprintf(ult, sizeof ult, "%015zu", chosen.empty() ? held : chosen.back() + 1);
    std::snprintf(max, sizeof max, "%015zu", held);
    std::string xml = open("retDistDFeInt", "1.01") + el("tpAmb", tpAmbOf(root)) + el("verAplic", kVerAplic) +
                      el("cStat", std::to_string(cStat)) + el("xMotivo", motivo(cStat)) +
                      el("dhResp", now()) + el("ultNSU", ult) + el("maxNSU", max);
    if (cStat == 138 && !chosen.empty()) {
        xml += "<loteDistDFeInt>";
        for (std::size_t i : chosen) {
            char nsu[16];
            std::snprintf(nsu, sizeof nsu, "%015zu", i + 1);
            xml += "<docZip NSU=\"" + std::string(nsu) + "\" schema=\"" + state.documents[i].first + "\">" +
                   base64Encode(gzip(state.documents[i].second)) + "</docZip>";
        }
        xml += "</loteDistDFeInt>";
    }
    return {xml + close("retDistDFeInt"), cStat};
}

} // namespace

Answer buildAnswer(SefazState &state, const SoapRequest &request, const AnswerOptions &options)
{
    const xmlNode *root = xmlDocGetRootElement(request.payload.get());
    const std::string &name = request.root;
    if (name == "consStatServ")
        return status(root, options);
    if (name == "enviNFe")
        return batch(state, root, options);
    if (name == "consReciNFe")
        return receipt(state, root, options);
    if (name == "consSitNFe")
        return situation(state, root, options);
    if (name == "inutNFe")
        return voiding(state, root, options);
    if (name == "ConsCad")
        return registry(root, options);
    if (name == "envEvento")
        return events(state, root, options);
    if (name == "admCscNFCe")
        return csc(root, options);
    return distribution(state, root, options);
}

} // namespace testsupport::fakesefaz
