"""Prints the field lines that `nfe-check answer` must print for an answer
file, as Python's xml.etree reads them: top-level fields, then list items
("<list>.<n>.<field>"). Dates lose their UTC offset; integer fields are
printed as numbers."""
import base64
import gzip
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.portalfiscal.inf.br/nfe}"

# root: (top-level fields, integer fields, date fields, (list name, item element, item fields))
ROOTS = {
    "retConsStatServ": (["tpAmb", "cStat", "xMotivo", "cUF", "verAplic", "tMed", "dhRecbto", "dhRetorno", "xObs"],
                        None),
    "retEnviNFe": (["tpAmb", "cStat", "cUF", "verAplic", "xMotivo"], None),
    "retConsReciNFe": (["tpAmb", "verAplic", "nRec", "cStat", "xMotivo", "cUF", "cMsg", "xMsg"],
                       ("ProtDFe", "protNFe", ["tpAmb", "verAplic", "dhRecbto", "nProt", "digVal", "cStat",
                                               "xMotivo"])),
    "retConsCad": (["verAplic", "cStat", "xMotivo", "UF", "dhCons", "cUF"],
                   ("InfCad", "infCad", ["IE", "UF", "cSit", "indCredNFe", "indCredCTe", "xNome", "xFant",
                                         "CNAE", "dIniAtiv", "xLgr", "nro", "xBairro", "cMun", "xMun", "CEP"])),
    "retAdmCscNFCe": (["tpAmb", "indOp", "cStat", "xMotivo"], ("dadosCsc", "dadosCsc", ["idCsc", "codigoCsc"])),
    "retDistDFeInt": (["tpAmb", "verAplic", "cStat", "xMotivo", "dhResp", "ultNSU", "maxNSU"], None),
}
INTEGERS = {"cStat", "cUF", "tMed", "cMsg", "cSit", "indCredNFe", "indCredCTe", "CNAE", "cMun", "CEP", "idCsc"}
DATES = {"dhRecbto", "dhRetorno", "dhCons", "dhResp", "dIniAtiv"}
KINDS = {"resNFe", "resEvento", "nfeProc", "procEventoNFe"}


def value(element, field):
    found = element.find(".//" + NS + field)
    text = "" if found is None or found.text is None else found.text.strip()
    if field in INTEGERS:
        return str(int(text)) if text else "0"
    if field in DATES and text:
        return (text + "T00:00:00")[:19] if len(text) == 10 else text[:19]
    return text


def main(path):
    root = ET.parse(path).getroot()
    name = root.tag.replace(NS, "")
    fields, items = ROOTS[name]
    print("root=" + name)
    print("versao=" + root.get("versao", ""))
    for field in fields:
        print(field + "=" + value(root, field))
    if items:
        list_name, element, item_fields = items
        for n, item in enumerate(root.iter(NS + element), 1):
            for field in item_fields:
                print("%s.%d.%s=%s" % (list_name, n, field, value(item, field)))
    for n, doc in enumerate(root.iter(NS + "docZip"), 1):
        document = ET.fromstring(gzip.decompress(base64.b64decode(doc.text)))
        print("docZip.%d.NSU=%s" % (n, doc.get("NSU")))
        print("docZip.%d.kind=%s" % (n, document.tag.replace(NS, "")))


if __name__ == "__main__":
    main(sys.argv[1])
